// Start codes as the scanners pass them: 0x100 plus the code's last byte.
#pragma once

#include <cstdint>

namespace tessivo {

inline constexpr uint32_t kPictureStartCode = 0x100;
inline constexpr uint32_t kFirstSliceStartCode = 0x101;
inline constexpr uint32_t kLastSliceStartCode = 0x1AF;
inline constexpr uint32_t kUserDataStartCode = 0x1B2;
inline constexpr uint32_t kSequenceHeaderCode = 0x1B3;
inline constexpr uint32_t kExtensionStartCode = 0x1B5;
inline constexpr uint32_t kSequenceEndCode = 0x1B7;
inline constexpr uint32_t kGroupStartCode = 0x1B8;
inline constexpr uint32_t kProgramEndCode = 0x1B9;
inline constexpr uint32_t kPackStartCode = 0x1BA;
inline constexpr uint32_t kSystemHeaderStartCode = 0x1BB;
inline constexpr uint32_t kPrivateStream1 = 0x1BD;
inline constexpr uint32_t kPaddingStream = 0x1BE;
inline constexpr uint32_t kPrivateStream2 = 0x1BF;
inline constexpr uint32_t kAudioStream0 = 0x1C0;
inline constexpr uint32_t kVideoStream0 = 0x1E0;

}  // namespace tessivo
