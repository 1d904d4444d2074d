// A flat hash table of folder items keyed by their names with case ignored.
#include "ItemsByName.h"

#include "text/Strings.h"

ItemsByName::ItemsByName(size_t expected) : slots_(16)
{
    while (slots_.size() < 2 * expected) {
        slots_.resize(2 * slots_.size());
    }
}

bool ItemsByName::Insert(const FolderItem* item)
{
    if (2 * (count_ + 1) > slots_.size()) {
        Grow();
    }
    const size_t hash = StrHash(item->Name());
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.item == nullptr) {
            slot.hash = hash;
            slot.item = item;
            ++count_;
            return true;
        }
        if (slot.hash == hash && StrEquals(slot.item->Name(), item->Name())) {
            return false;
        }
    }
}

void ItemsByName::Grow()
{
    std::vector<Slot> old(2 * slots_.size());
    old.swap(slots_);
    count_ = 0;
    for (const Slot& slot : old) {
        if (slot.item != nullptr) {
            Insert(slot.item);
        }
    }
}
