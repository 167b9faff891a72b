#include "ui/ObjectList.h"
#include <cstdlib>
#include <cstring>
#include <new>

ObjectList::~ObjectList() {
    ListClear(this);
}

void ObjectList::Destroy() {
    ListClear(this);
    BaseObject::Destroy();
}

ObjectList* CreateList() {
    return new ObjectList();
}

void ListSetCapacity(ObjectList* list, int32_t capacity) {
    if (capacity < list->count) capacity = list->count;
    if (capacity == list->capacity) return;
    void* grown = std::realloc(list->items, static_cast<size_t>(capacity) * sizeof(void*));
    if (!grown && capacity > 0) throw std::bad_alloc();
    list->items = static_cast<void**>(grown);
    list->capacity = capacity;
}

static void Grow(ObjectList* list) {
    if (list->count < list->capacity) return;
    int32_t step = list->step ? list->step : list->count / 4 + 1;
    ListSetCapacity(list, list->count + step);
}

int32_t ListAdd(ObjectList* list, void* p) {
    Grow(list);
    list->items[list->count] = p;
    return list->count++;
}

void ListInsert(ObjectList* list, int32_t i, void* p) {
    if (i < 0 || i > list->count) return;
    ListAdd(list, p);
    int32_t last = list->count - 1;
    if (i == last) return;
    std::memmove(list->items + i + 1, list->items + i, (last - i) * sizeof(void*));
    list->items[i] = p;
}

void ListDeleteRange(ObjectList* list, int32_t i, int32_t n) {
    if (i < 0 || i >= list->count || n <= 0) return;
    if (n > list->count - i) n = list->count - i;
    std::memmove(list->items + i, list->items + i + n, (list->count - i - n) * sizeof(void*));
    list->count -= n;
}

void ListDelete(ObjectList* list, int32_t i) {
    ListDeleteRange(list, i, 1);
}

void ListPut(ObjectList* list, int32_t i, void* p) {
    if (i >= 0 && i < list->count) list->items[i] = p;
}

void* ListGet(const ObjectList* list, int32_t i) {
    if (!list || i < 0 || i >= list->count) return nullptr;
    return list->items[i];
}

int32_t ListIndexOf(const ObjectList* list, const void* p) {
    for (int32_t i = 0; i < list->count; ++i)
        if (list->items[i] == p) return i;
    return -1;
}

void ListRemove(ObjectList* list, const void* p) {
    int32_t i = ListIndexOf(list, p);
    if (i >= 0) ListDelete(list, i);
}

void ListClear(ObjectList* list) {
    std::free(list->items);
    list->items = nullptr;
    list->count = 0;
    list->capacity = 0;
}

void ListFreeAll(ObjectList* list) {
    if (!list) return;
    for (int32_t i = list->count - 1; i >= 0; --i) {
        // Freeing one item may take others out of the list (children leaving their
        // parent), so re-check the bounds on every round.
        if (i >= list->count) continue;
        BaseObject* item = static_cast<BaseObject*>(list->items[i]);
        ListDelete(list, i);
        FreeObject(item);
    }
    FreeObject(list);
}
