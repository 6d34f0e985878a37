// The drawing packets of one frame and the ordering table that sorts them.
// Each packet starts with a tag word: its length in words (after the tag)
// in the top byte and the address of the next packet in the low 24 bits.
// The GPU walks the table from its last entry down to entry 0, so a packet
// linked at a higher entry is drawn earlier: farther polygons go higher.
#ifndef GANNET_CONSOLE_PACKETS_H_
#define GANNET_CONSOLE_PACKETS_H_

#include <stdint.h>

namespace packets {

/// Words handed out one frame at a time from [begin, end).
class Buffer {
 public:
  Buffer(uint32_t* begin, uint32_t* end) : begin_(begin), next_(begin), end_(end) {}

  /// Space for a packet of `words` words after its tag; nullptr when the
  /// frame's space is used up (the packet is then left out).
  uint32_t* Take(uint32_t words) {
    if (static_cast<uint32_t>(end_ - next_) < words + 1) {
      return nullptr;
    }
    uint32_t* packet = next_;
    next_ += words + 1;
    return packet;
  }

  /// Makes every word free again for the next frame.
  void Reset() { next_ = begin_; }

 private:
  uint32_t* begin_;
  uint32_t* next_;
  uint32_t* end_;
};

/// Puts `packet` (`words` words after its tag) at the front of table entry
/// `entry`.
inline void Link(uint32_t* entry, uint32_t* packet, uint32_t words) {
  packet[0] = words << 24 | (*entry & 0xFFFFFF);
  *entry = (*entry & 0xFF000000) | (reinterpret_cast<uint32_t>(packet) & 0xFFFFFF);
}

}  // namespace packets

#endif  // GANNET_CONSOLE_PACKETS_H_
