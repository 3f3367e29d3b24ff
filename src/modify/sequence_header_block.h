// The analysed stream's first sequence header, with its extensions, as the patcher writes it at a
// cut start and before GOPs that lack a header of their own.
#pragma once

#include <cstdint>
#include <vector>

#include "modify/header_patch.h"
#include "mpeg/records.h"

namespace tessivo {

// 00 00 01 B3, the patched header and what follows it up to the first start code that is not an
// extension; empty when the analysis captured no whole header.
std::vector<uint8_t> SequenceHeaderBlock(const FirstSequenceBlock& block, const HeaderPatch& patch);

}  // namespace tessivo
