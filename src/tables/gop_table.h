// The GOP table: one row per GOP record, in stream order, below the header row.
#pragma once

#include "mpeg/record_stores.h"
#include "tables/table.h"

namespace tessivo {

Table BuildGopTable(const RecordStores& stores);

}  // namespace tessivo
