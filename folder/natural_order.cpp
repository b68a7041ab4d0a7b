#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cstdint>
#include <utility>

#include "folder/folder.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned char Folded(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

std::size_t RunEnd(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

std::string_view WithoutLeadingZeros(std::string_view run) {
  const std::size_t first = run.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view{} : run.substr(first);
}

// By value; of two runs with the same value the shorter comes first.
int CompareRuns(std::string_view a, std::string_view b) {
  const std::string_view valueA = WithoutLeadingZeros(a);
  const std::string_view valueB = WithoutLeadingZeros(b);
  if (valueA.size() != valueB.size()) return valueA.size() < valueB.size() ? -1 : 1;
  if (const int order = valueA.compare(valueB); order != 0) return order;
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

// The natural order as plain byte order of a sort key: a digit run becomes
// the marker '0' (a digit compares against any other byte the way '0'
// does), the number of its significant digits, those digits and the length
// of the whole run; other bytes are folded. No key byte is zero, so keys
// can be zero-padded.
void AppendCount(std::string& key, std::size_t count) {
  if (count < 0xFE) {
    key.push_back(static_cast<char>(count + 1));
    return;
  }
  // One byte below 0xFF, else 0xFF and ten 7-bit groups: order-preserving.
  key.push_back('\xFF');
  for (int shift = 63; shift >= 0; shift -= 7) {
    key.push_back(static_cast<char>(0x80 | ((count >> shift) & 0x7F)));
  }
}

void AppendKey(std::string& key, std::string_view name) {
  for (std::size_t at = 0; at < name.size();) {
    if (!IsDigit(name[at])) {
      key.push_back(static_cast<char>(Folded(name[at++])));
      continue;
    }
    const std::size_t end = RunEnd(name, at);
    const std::string_view value = WithoutLeadingZeros(name.substr(at, end - at));
    key.push_back('0');
    AppendCount(key, value.size());
    key.append(value);
    AppendCount(key, end - at);
    at = end;
  }
}

// The keys of all names in one buffer.
class KeyTable {
 public:
  // False for a name holding a zero byte, which no key may hold.
  bool Build(const std::vector<std::string>& names) {
    bytes_.clear();
    starts_.clear();
    for (const std::string& name : names) {
      if (name.find('\0') != std::string::npos) return false;
      starts_.push_back(bytes_.size());
      AppendKey(bytes_, name);
    }
    starts_.push_back(bytes_.size());
    return true;
  }

  // A folder read back after a pass often lists in creation order already.
  bool InOrder(const std::vector<std::string>& names) const {
    for (std::size_t index = 1; index < names.size(); ++index) {
      const int order = Key(index - 1).compare(Key(index));
      if (order > 0 || (order == 0 && names[index] < names[index - 1])) return false;
    }
    return true;
  }

  std::string_view Key(std::size_t index) const {
    return std::string_view(bytes_).substr(starts_[index], starts_[index + 1] - starts_[index]);
  }

  // Key bytes [depth, depth + 8), zero-padded, big-endian.
  std::uint64_t Head(std::size_t index, std::size_t depth) const {
    const std::string_view key = Key(index);
    std::uint64_t head = 0;
    if (depth + 8 <= key.size()) {
      std::memcpy(&head, key.data() + depth, 8);
      return std::endian::native == std::endian::little ? __builtin_bswap64(head) : head;
    }
    for (std::size_t at = depth; at < depth + 8; ++at) {
      head = (head << 8) | (at < key.size() ? static_cast<unsigned char>(key[at]) : 0U);
    }
    return head;
  }

 private:
  std::string bytes_;
  std::vector<std::size_t> starts_;
};

struct Entry {
  std::uint64_t head;
  std::size_t index;
};
using EntryIt = std::vector<Entry>::iterator;

// Least significant byte first; bytes that all entries share cost nothing.
void RadixSortByHead(EntryIt first, EntryIt last, std::vector<Entry>& scratch) {
  const auto size = static_cast<std::size_t>(last - first);
  std::array<std::array<std::size_t, 256>, 8> counts{};
  for (EntryIt it = first; it != last; ++it) {
    for (std::size_t digit = 0; digit < 8; ++digit) ++counts[digit][(it->head >> (8 * digit)) & 0xFF];
  }
  scratch.resize(std::max(scratch.size(), size));
  Entry* from = &*first;
  Entry* to = scratch.data();
  for (std::size_t digit = 0; digit < 8; ++digit) {
    std::array<std::size_t, 256>& slots = counts[digit];
    if (slots[(from->head >> (8 * digit)) & 0xFF] == size) continue;
    std::size_t next = 0;
    for (std::size_t& slot : slots) next += std::exchange(slot, next);
    for (std::size_t at = 0; at < size; ++at) {
      to[slots[(from[at].head >> (8 * digit)) & 0xFF]++] = from[at];
    }
    std::swap(from, to);
  }
  if (from != &*first) std::copy(from, from + size, first);
}

struct Range {
  EntryIt first;
  EntryIt last;
  std::size_t depth;
};

// Eight key bytes at a time: a group with equal bytes goes on with the next
// eight, unless its keys ended there, and then only plain bytes tell apart.
void SortEntries(std::vector<Entry>& entries, std::vector<Entry>& scratch, const KeyTable& keys,
                 const std::vector<std::string>& names) {
  const auto byBytes = [&](const Entry& a, const Entry& b) { return names[a.index] < names[b.index]; };
  std::vector<Range> pending = {{entries.begin(), entries.end(), 0}};
  while (!pending.empty()) {
    const Range range = pending.back();
    pending.pop_back();
    for (EntryIt it = range.first; it != range.last; ++it) {
      it->head = keys.Head(it->index, range.depth);
    }
    if (range.last - range.first < 64) {
      std::sort(range.first, range.last, [&](const Entry& a, const Entry& b) {
        if (a.head != b.head) return a.head < b.head;
        const std::string_view keyA = keys.Key(a.index);
        const std::string_view keyB = keys.Key(b.index);
        const std::size_t from = std::min(range.depth + 8, keyA.size());
        if (const int order = keyA.substr(from).compare(keyB.substr(from)); order != 0) return order < 0;
        return byBytes(a, b);
      });
      continue;
    }
    RadixSortByHead(range.first, range.last, scratch);
    for (EntryIt group = range.first; group != range.last;) {
      const std::uint64_t head = group->head;
      const EntryIt end = std::find_if(group, range.last, [&](const Entry& e) { return e.head != head; });
      if (end - group > 1 && (head & 0xFF) == 0) std::sort(group, end, byBytes);
      if (end - group > 1 && (head & 0xFF) != 0) pending.push_back({group, end, range.depth + 8});
      group = end;
    }
  }
}

// Moves every name to its sorted place in place, cycle by cycle; a second
// vector of 100,000 names would cost more in fresh pages than the moves.
void Gather(std::vector<std::string>& names, std::vector<Entry>& entries) {
  constexpr std::size_t kPlaced = static_cast<std::size_t>(-1);
  for (std::size_t start = 0; start < names.size(); ++start) {
    if (entries[start].index == kPlaced) continue;
    std::string held = std::move(names[start]);
    std::size_t at = start;
    while (entries[at].index != start) {
      const std::size_t from = entries[at].index;
      names[at] = std::move(names[from]);
      entries[at].index = kPlaced;
      at = from;
    }
    names[at] = std::move(held);
    entries[at].index = kPlaced;
  }
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::size_t endA = RunEnd(a, i);
      const std::size_t endB = RunEnd(b, j);
      if (const int order = CompareRuns(a.substr(i, endA - i), b.substr(j, endB - j)); order != 0) {
        return order < 0;
      }
      i = endA;
      j = endB;
      continue;
    }
    if (Folded(a[i]) != Folded(b[j])) return Folded(a[i]) < Folded(b[j]);
    ++i;
    ++j;
  }
  if (i != a.size() || j != b.size()) return i == a.size();
  return a < b;
}

void SortNaturally(std::vector<std::string>& names) {
  if (names.size() < 2) return;
  // Kept from call to call: a listing sorts about as many names each time,
  // and fresh pages cost more than the sorting.
  thread_local KeyTable keys;
  thread_local std::vector<Entry> entries;
  thread_local std::vector<Entry> scratch;
  if (!keys.Build(names)) {
    std::sort(names.begin(), names.end(), NaturalLess);
    return;
  }
  if (keys.InOrder(names)) return;
  entries.resize(names.size());
  for (std::size_t index = 0; index < names.size(); ++index) entries[index] = {0, index};
  SortEntries(entries, scratch, keys, names);
  Gather(names, entries);
}
