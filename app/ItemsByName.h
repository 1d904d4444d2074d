// A set of the items of one folder, told apart by name with case ignored.
#pragma once

#include <cstddef>
#include <vector>

#include "files/FolderItem.h"

// Names compare as the string comparison compares them. One flat table that allocates only when it grows, so that
// a scan pays no allocation per item. It holds plain pointers: whoever fills it keeps the items alive meanwhile.
class ItemsByName {
public:
    explicit ItemsByName(size_t expected = 0);
    // False, leaving the set as it was, when it holds an item of the same name already.
    bool Insert(const FolderItem* item);

private:
    struct Slot {
        size_t hash = 0;
        const FolderItem* item = nullptr;
    };
    void Grow();

    std::vector<Slot> slots_; // a power of two in size, at most half full
    size_t count_ = 0;
};
