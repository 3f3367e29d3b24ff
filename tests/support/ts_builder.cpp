#include "support/ts_builder.h"

#include <algorithm>

namespace tessivo::test {

namespace {

void PutCrc(std::vector<uint8_t>& section) {
  const uint32_t crc = SectionCrc(section.data(), section.size());
  for (int shift = 24; shift >= 0; shift -= 8)
    section.push_back(static_cast<uint8_t>(crc >> shift));
}

// Table header of a long section: table_id, lengths to be set, id extension, version, numbers.
std::vector<uint8_t> LongSectionHeader(uint8_t tableId, uint16_t idExtension, uint8_t version,
                                       uint8_t sectionNumber, uint8_t lastSectionNumber) {
  return {tableId,
          0xB0,
          0x00,
          static_cast<uint8_t>(idExtension >> 8),
          static_cast<uint8_t>(idExtension),
          static_cast<uint8_t>(0xC1 | (version & 0x1F) << 1),
          sectionNumber,
          lastSectionNumber};
}

void SetSectionLength(std::vector<uint8_t>& section) {
  const size_t length = section.size() - 3 + 4;  // the CRC still to come
  section[1] = static_cast<uint8_t>(0xB0 | (length >> 8));
  section[2] = static_cast<uint8_t>(length);
}

}  // namespace

uint32_t SectionCrc(const uint8_t* bytes, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    for (int bit = 7; bit >= 0; --bit) {
      const bool in = ((bytes[i] >> bit) & 1) != ((crc >> 31) & 1);
      crc <<= 1;
      if (in) crc ^= 0x04C11DB7;
    }
  }
  return crc;
}

uint16_t PidOf(const TsPacketBytes& packet) {
  return static_cast<uint16_t>((packet[1] & 0x1F) << 8 | packet[2]);
}

uint8_t TsBuilder::NextCounter(uint16_t pid) {
  uint8_t& counter = counters_[pid];
  const uint8_t value = counter;
  counter = (counter + 1) & 0xF;
  return value;
}

TsBuilder& TsBuilder::Pat(const std::vector<std::pair<uint16_t, uint16_t>>& programs,
                          uint8_t version, uint8_t sectionNumber, uint8_t lastSectionNumber) {
  std::vector<uint8_t> section =
      LongSectionHeader(0x00, 1, version, sectionNumber, lastSectionNumber);
  for (const auto& [number, pid] : programs) {
    section.insert(section.end(),
                   {static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number),
                    static_cast<uint8_t>(0xE0 | pid >> 8), static_cast<uint8_t>(pid)});
  }
  SetSectionLength(section);
  return Section(0x0000, section);
}

TsBuilder& TsBuilder::Pmt(uint16_t pid, uint16_t program,
                          const std::vector<std::pair<uint8_t, uint16_t>>& streams,
                          uint8_t version) {
  std::vector<uint8_t> section = LongSectionHeader(0x02, program, version, 0, 0);
  const uint16_t pcrPid = streams.empty() ? 0x1FFF : streams.front().second;
  section.insert(section.end(), {static_cast<uint8_t>(0xE0 | pcrPid >> 8),
                                 static_cast<uint8_t>(pcrPid), 0xF0, 0x00});
  for (const auto& [type, esPid] : streams) {
    section.insert(section.end(), {type, static_cast<uint8_t>(0xE0 | esPid >> 8),
                                   static_cast<uint8_t>(esPid), 0xF0, 0x00});
  }
  SetSectionLength(section);
  return Section(pid, section);
}

TsBuilder& TsBuilder::Section(uint16_t pid, std::vector<uint8_t> section) {
  PutCrc(section);
  // pointer_field 0, then the section over as many packets as it needs, stuffed with 0xFF.
  std::vector<uint8_t> payload = {0x00};
  payload.insert(payload.end(), section.begin(), section.end());
  for (size_t offset = 0; offset < payload.size(); offset += 184) {
    TsPacketBytes packet = {0x47, static_cast<uint8_t>((offset == 0 ? 0x40 : 0x00) | pid >> 8),
                            static_cast<uint8_t>(pid),
                            static_cast<uint8_t>(0x10 | NextCounter(pid))};
    const size_t size = std::min<size_t>(184, payload.size() - offset);
    packet.insert(packet.end(), payload.begin() + offset, payload.begin() + offset + size);
    packet.resize(188, 0xFF);
    packets_.push_back(packet);
  }
  return *this;
}

TsBuilder& TsBuilder::Pes(uint16_t pid, const std::vector<uint8_t>& video,
                          const PesOptions& options) {
  for (size_t start = 0; start < video.size(); start += options.bytesPerPes) {
    const size_t size = std::min(options.bytesPerPes, video.size() - start);
    const size_t length = options.bounded ? 3 + options.headerDataLength + size : 0;
    std::vector<uint8_t> pes = {0x00,
                                0x00,
                                0x01,
                                options.streamId,
                                static_cast<uint8_t>(length >> 8),
                                static_cast<uint8_t>(length),
                                0x80,
                                static_cast<uint8_t>(options.headerDataLength ? 0x80 : 0),
                                options.headerDataLength};
    pes.insert(pes.end(), options.headerDataLength, 0x21);
    pes.insert(pes.end(), video.begin() + start, video.begin() + start + size);
    for (size_t offset = 0; offset < pes.size();) {
      const size_t left = pes.size() - offset;
      TsPacketBytes packet = {0x47, static_cast<uint8_t>((offset == 0 ? 0x40 : 0x00) | pid >> 8),
                              static_cast<uint8_t>(pid), 0x10};
      if (left < 184) {
        // An adaptation field of stuffing fills the last packet.
        const size_t fieldLength = 183 - left;
        packet[3] = 0x30;
        packet.push_back(static_cast<uint8_t>(fieldLength));
        if (fieldLength > 0) packet.push_back(0x00);
        if (fieldLength > 1) packet.insert(packet.end(), fieldLength - 1, 0xFF);
      }
      packet[3] |= NextCounter(pid);
      const size_t size = std::min<size_t>(left, 188 - packet.size());
      packet.insert(packet.end(), pes.begin() + offset, pes.begin() + offset + size);
      offset += size;
      packets_.push_back(packet);
    }
  }
  return *this;
}

TsBuilder& TsBuilder::Null(int count) {
  for (int i = 0; i < count; ++i) {
    TsPacketBytes packet = {0x47, 0x1F, 0xFF, 0x10};
    packet.resize(188, 0xFF);
    packets_.push_back(packet);
  }
  return *this;
}

TsBuilder& TsBuilder::AdaptationOnly(uint16_t pid, bool discontinuity) {
  // The counter does not move: it is the one the pid's last payload packet had.
  const uint8_t counter = (counters_[pid] + 15) & 0xF;
  TsPacketBytes packet = {0x47,
                          static_cast<uint8_t>(pid >> 8),
                          static_cast<uint8_t>(pid),
                          static_cast<uint8_t>(0x20 | counter),
                          183,
                          static_cast<uint8_t>(discontinuity ? 0x80 : 0x00)};
  packet.resize(188, 0xFF);
  packets_.push_back(packet);
  return *this;
}

TsBuilder& TsBuilder::Raw(const TsPacketBytes& packet) {
  packets_.push_back(packet);
  return *this;
}

std::vector<uint8_t> TsBuilder::Bytes(uint32_t packetSize) const {
  std::vector<uint8_t> out;
  uint32_t arrival = 0;
  for (const TsPacketBytes& packet : packets_) {
    if (packetSize == 192) {
      arrival += 1000;
      for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(arrival >> shift));
    }
    out.insert(out.end(), packet.begin(), packet.end());
    if (packetSize == 204) out.insert(out.end(), 16, 0x47);
  }
  return out;
}

std::vector<uint8_t> WrapInTransportStream(const std::vector<uint8_t>& video, uint32_t packetSize,
                                           const PesOptions& pes) {
  TsBuilder builder;
  builder.Pat({{1, 0x1000}}).Pmt(0x1000, 1, {{0x02, 0x100}}).Pes(0x100, video, pes);
  return builder.Bytes(packetSize);
}

}  // namespace tessivo::test
