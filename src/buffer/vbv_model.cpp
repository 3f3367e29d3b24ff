#include "buffer/vbv_model.h"

#include <algorithm>
#include <cmath>

#include "buffer/display_timing.h"
#include "mpeg/picture_locator.h"

namespace tessivo {

namespace {

constexpr double kTicksPerSecond = 90000.0;
constexpr uint64_t kStartCodeBytes = 4;

int64_t Bits(double value) {
  return static_cast<int64_t>(std::llround(value));
}

// The pictures' bytes as the buffer takes them in and gives them up.
class PictureUnits {
 public:
  explicit PictureUnits(const RecordStores& stores)
      : facts_(stores.pictureFacts()),
        sequences_(stores.sequenceFacts()),
        count_(stores.summary.pictureCount) {
    const PictureFacts& last = facts_[count_ - 1];
    endBits_ = 8 * (last.position + stores.pictures()[count_ - 1].size);
  }

  uint32_t count() const { return count_; }
  const PictureFacts& facts(uint32_t k) const { return facts_[k]; }
  const SequenceFacts& sequence(uint32_t k) const { return sequences_[facts_[k].sequence]; }
  // Bits up to the end of picture k's start code.
  uint64_t startCodeEndBits(uint32_t k) const { return 8 * facts_[k].position; }
  // A picture's unit begins with the headers in front of it; the first takes all before it.
  uint64_t unitStartBits(uint32_t k) const {
    if (k == 0) return 0;
    const PictureFacts& f = facts_[k];
    const uint64_t lead = kStartCodeBytes + f.headerBytes;
    return 8 * (f.position >= lead ? f.position - lead : 0);
  }
  uint64_t unitEndBits(uint32_t k) const {
    return k + 1 < count_ ? unitStartBits(k + 1) : endBits_;
  }
  uint64_t endBits() const { return endBits_; }

 private:
  const PictureFacts* facts_;
  const SequenceFacts* sequences_;
  uint32_t count_;
  uint64_t endBits_;
};

// Bits entering at the bit rate of the sequence of the picture they belong to, from time 0 on.
// Queries move forward in time only.
class ArrivalCurve {
 public:
  explicit ArrivalCurve(const PictureUnits& units) : units_(units) {}

  // Bits entered by time t.
  uint64_t BitsAt(double t) {
    while (!Last() && t >= SegmentEndTime()) Next();
    if (t <= segmentTime_) return SegmentStart();
    const int64_t entered = Bits(static_cast<double>(SegmentStart()) + Rate() * (t - segmentTime_));
    return std::min<uint64_t>(SegmentEnd(), static_cast<uint64_t>(std::max<int64_t>(entered, 0)));
  }
  // Time at which `bits` have entered.
  double TimeOfBits(uint64_t bits) {
    while (!Last() && bits > SegmentEnd()) Next();
    return segmentTime_ + static_cast<double>(bits - std::min(bits, SegmentStart())) / Rate();
  }

 private:
  // Segment -1 runs from the first byte to the first picture start code, segment k from the
  // end of picture k's start code to the end of the next one's, the last to the stream's end.
  bool Last() const { return segment_ + 1 >= static_cast<int64_t>(units_.count()); }
  uint64_t SegmentStart() const {
    return segment_ < 0 ? 0 : units_.startCodeEndBits(static_cast<uint32_t>(segment_));
  }
  uint64_t SegmentEnd() const {
    return Last() ? units_.endBits() : units_.startCodeEndBits(static_cast<uint32_t>(segment_ + 1));
  }
  double Rate() const {
    return static_cast<double>(
        units_.sequence(static_cast<uint32_t>(std::max<int64_t>(segment_, 0))).bitRate);
  }
  double SegmentEndTime() const {
    return segmentTime_ + static_cast<double>(SegmentEnd() - SegmentStart()) / Rate();
  }
  void Next() {
    segmentTime_ = SegmentEndTime();
    ++segment_;
  }

  const PictureUnits& units_;
  int64_t segment_ = -1;
  double segmentTime_ = 0.0;
};

class Simulation {
 public:
  Simulation(const RecordStores& stores, VbvResult& result)
      : stores_(stores), units_(stores), locator_(stores), result_(result) {}

  void RunConstantRate();
  void RunVariableRate();

 private:
  double Interval(uint32_t k) {
    const SequenceFacts& sequence = units_.sequence(k);
    return schedule_.IntervalAfter(stores_.pictures()[k].type, units_.facts(k), sequence) *
           FieldPeriod(sequence);
  }
  double FramePeriod(uint32_t k) const { return 2 * FieldPeriod(units_.sequence(k)); }
  void AddEvent(VbvEventKind kind, uint32_t k, double time, int64_t bits);

  const RecordStores& stores_;
  PictureUnits units_;
  PictureLocator locator_;
  DecodingSchedule schedule_;
  VbvResult& result_;
};

void Simulation::AddEvent(VbvEventKind kind, uint32_t k, double time, int64_t bits) {
  const PictureFacts& facts = units_.facts(k);
  const PictureLocation location = locator_.Locate(k);
  result_.events.push_back(VbvEvent{kind, k, stores_.pictures()[k].type, location.gop, facts.second,
                                    location.timeCode, facts.position, time, bits});
  if (kind == VbvEventKind::kUnderflow) ++result_.underflowCount;
  if (kind == VbvEventKind::kOverflow) ++result_.overflowCount;
}

void Simulation::RunConstantRate() {
  ArrivalCurve arrival(units_);
  const PictureFacts& first = units_.facts(0);
  double t = arrival.TimeOfBits(units_.startCodeEndBits(0)) + first.vbvDelay / kTicksPerSecond;
  for (uint32_t k = 0; k < units_.count(); ++k) {
    const SequenceFacts& sequence = units_.sequence(k);
    const uint64_t start = units_.unitStartBits(k);
    const uint64_t end = units_.unitEndBits(k);
    uint64_t entered = arrival.BitsAt(t);
    if (entered < end) {
      const auto missing = static_cast<int64_t>(end - entered);
      const double complete = arrival.TimeOfBits(end);
      if (sequence.lowDelay) {
        const double frames = std::ceil((complete - t) / FramePeriod(k) - 1e-9);
        t += frames * FramePeriod(k);
        AddEvent(VbvEventKind::kLatePicture, k, t, missing);
      } else {
        AddEvent(VbvEventKind::kUnderflow, k, t, missing);
        t = complete;
      }
      entered = arrival.BitsAt(t);
    }
    const int64_t before = static_cast<int64_t>(entered) - static_cast<int64_t>(start);
    const int64_t after = before - static_cast<int64_t>(end - start);
    const auto size = static_cast<int64_t>(sequence.vbvBufferSize);
    if (before > size) AddEvent(VbvEventKind::kOverflow, k, t, before - size);
    // What the encoder meant: this picture's start code plus vbv_delay's worth of bits.
    const double promised =
        static_cast<double>(units_.startCodeEndBits(k)) +
        static_cast<double>(sequence.bitRate) * (units_.facts(k).vbvDelay / kTicksPerSecond);
    const int64_t fromVbvDelay = std::min(Bits(promised), static_cast<int64_t>(units_.endBits())) -
                                 static_cast<int64_t>(start);
    result_.pictures[k] = VbvPicture{t, before, after, fromVbvDelay};
    t += Interval(k);
  }
}

void Simulation::RunVariableRate() {
  const auto total = static_cast<int64_t>(units_.endBits());
  const SequenceFacts& opening = units_.sequence(0);
  // Filled to the brim, or with the whole stream, before the first picture is decoded.
  int64_t entered = std::min(static_cast<int64_t>(opening.vbvBufferSize), total);
  int64_t fill = entered;
  double t = static_cast<double>(entered) / static_cast<double>(opening.bitRate);
  for (uint32_t k = 0; k < units_.count(); ++k) {
    const SequenceFacts& sequence = units_.sequence(k);
    const auto size = static_cast<int64_t>(sequence.vbvBufferSize);
    const auto rate = static_cast<double>(sequence.bitRate);
    const auto start = static_cast<int64_t>(units_.unitStartBits(k));
    const auto end = static_cast<int64_t>(units_.unitEndBits(k));
    if (entered < end) {
      const int64_t missing = end - entered;
      // Bits enter only while there is room: a picture larger than the buffer never completes.
      const bool completes = end - start <= size;
      int64_t wanted = completes ? missing : std::max<int64_t>(size - fill, 0);
      double wait = static_cast<double>(wanted) / rate;
      if (completes && sequence.lowDelay) {
        wait = std::ceil(wait / FramePeriod(k) - 1e-9) * FramePeriod(k);
        wanted = std::min({Bits(rate * wait), size - fill, total - entered});
      }
      entered += wanted;
      fill += wanted;
      t += wait;
      const bool late = completes && sequence.lowDelay;
      AddEvent(late ? VbvEventKind::kLatePicture : VbvEventKind::kUnderflow, k, late ? t : t - wait,
               missing);
    }
    const int64_t before = fill;
    fill -= end - start;
    result_.pictures[k] = VbvPicture{t, before, fill, before};

    const double interval = Interval(k);
    const SequenceFacts& next = units_.sequence(k + 1 < units_.count() ? k + 1 : k);
    const int64_t room = static_cast<int64_t>(next.vbvBufferSize) - fill;
    const int64_t added = std::max<int64_t>(
        0, std::min({Bits(static_cast<double>(next.bitRate) * interval), room, total - entered}));
    entered += added;
    fill += added;
    t += interval;
  }
}

bool Modelable(const RecordStores& stores) {
  if (!stores.pictureFactsAvailable || stores.summary.pictureCount == 0) return false;
  for (uint32_t s = 0; s < stores.sequenceFactsCount; ++s) {
    if (stores.sequenceFacts()[s].bitRate == 0) return false;
  }
  return true;
}

}  // namespace

VbvResult SimulateVbv(const RecordStores& stores) {
  VbvResult result;
  if (!Modelable(stores)) return result;
  const uint32_t count = stores.summary.pictureCount;
  bool constantRate = true;
  for (uint32_t k = 0; k < count && constantRate; ++k) {
    constantRate = stores.pictureFacts()[k].vbvDelay != kVariableRateVbvDelay;
  }
  result.pictures.resize(count);
  Simulation simulation(stores, result);
  if (constantRate) {
    result.mode = VbvMode::kConstantRate;
    simulation.RunConstantRate();
  } else {
    result.mode = VbvMode::kVariableRate;
    simulation.RunVariableRate();
  }
  return result;
}

}  // namespace tessivo
