#pragma once

#include <cstdint>

namespace ovilan {

// The integer hints a document sends its views after a change. Bits 0-7 name the object (5 a
// graph, 3 a label), bits 8-10 the operation (1 insert, 2 remove, 3 change), bits 11 up the index.
inline constexpr std::int32_t kHintEverything = 0;
inline constexpr std::int32_t kHintRepaint = 3;

constexpr std::int32_t graphInsertedHint(std::int32_t index) { return index * 2048 + 0x105; }
constexpr std::int32_t graphRemovedHint(std::int32_t index) { return index * 2048 + 0x205; }
constexpr std::int32_t graphChangedHint(std::int32_t index) { return index * 2048 + 0x305; }
constexpr std::int32_t labelAreaHint(std::int32_t index) { return index * 2048 + 0x103; }

// What a view of the document implements to hear of changes.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void onUpdate(std::int32_t hint) = 0;
};

} // namespace ovilan
