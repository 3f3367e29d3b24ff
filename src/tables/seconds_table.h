// The seconds table: one row per delivered second, below the header row.
#pragma once

#include "mpeg/record_stores.h"
#include "tables/table.h"

namespace tessivo {

Table BuildSecondsTable(const RecordStores& stores);

}  // namespace tessivo
