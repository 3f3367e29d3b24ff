// The buffer model per picture as a table: when each picture is decoded, the buffer's fill just
// before and after, the fill its own vbv_delay implies, and the events at that picture.
#pragma once

#include "buffer/vbv_model.h"
#include "mpeg/record_stores.h"
#include "tables/table.h"

namespace tessivo {

// One row per modelled picture below the header row; only the header row when the buffer was
// not modelled.
Table BuildVbvTable(const RecordStores& stores, const VbvResult& vbv);

}  // namespace tessivo
