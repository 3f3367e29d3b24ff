// The picture table: one row per picture record, in coded order, below the header row, with the
// GOP it belongs to, its time code and, where the buffer was modelled, its buffer fill.
#pragma once

#include "buffer/vbv_model.h"
#include "mpeg/record_stores.h"
#include "tables/table.h"

namespace tessivo {

// The table's columns, in their order.
enum PictureTableColumn : size_t {
  kPictureNumberColumn,
  kPictureTypeColumn,
  kPictureSizeColumn,
  kPictureQminColumn,
  kPictureQmaxColumn,
  kPictureQavgColumn,
  kPictureGopColumn,
  kPictureTimeCodeColumn,
  kPictureBufferColumn,
  kPictureColumnCount,
};

// vbv may be nullptr or hold no model (a loaded result file): the buffer column stays empty.
Table BuildPictureTable(const RecordStores& stores, const VbvResult* vbv);

}  // namespace tessivo
