// What the analysis and result-file fuzz targets also run over the records they end with.
#pragma once

#include "analysis/analysis_context.h"
#include "buffer/vbv_model.h"
#include "compliance/compliance_check.h"
#include "tables/picture_table.h"

namespace tessivo::fuzz {

// The buffer model, every profile's check and the picture table over whatever the records hold.
inline void CheckEverything(AnalysisContext& context) {
  const RecordStores& stores = context.stores();
  const VbvResult vbv = SimulateVbv(stores);
  if (vbv.mode != VbvMode::kNone && vbv.pictures.size() != stores.summary.pictureCount) {
    __builtin_trap();
  }
  const ComplianceInput input{stores, context.secondsRead(), context.settings().kiloBase, &vbv};
  for (const ComplianceProfile& profile : ComplianceProfiles()) {
    const ComplianceReport report = CheckCompliance(profile, input);
    if (report.rules.size() != profile.rules.size()) __builtin_trap();
  }
  BuildPictureTable(stores, &vbv);
}

}  // namespace tessivo::fuzz
