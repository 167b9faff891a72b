// The growable list of untyped pointers behind every list of the program: the
// screen lists, the menu links, and the layer's children, handlers and menu items.
#pragma once
#include "ui/Object.h"
#include <cstdint>

class ObjectList : public BaseObject {
  public:
    void** items = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;
    int32_t step = 0; // growth step; 0 = grow by a quarter plus one

    void Destroy() override;

  protected:
    ~ObjectList() override;
};

ObjectList* CreateList();
int32_t ListAdd(ObjectList* list, void* p);
// 0 <= i <= count: the items from i on move up by one and p stands at i.
void ListInsert(ObjectList* list, int32_t i, void* p);
// Removes item i; an index at or beyond count does nothing.
void ListDelete(ObjectList* list, int32_t i);
// Removes n items from i (n <= 0 does nothing; n is cut to count - i).
void ListDeleteRange(ObjectList* list, int32_t i, int32_t n);
void ListPut(ObjectList* list, int32_t i, void* p);
void* ListGet(const ObjectList* list, int32_t i);
int32_t ListIndexOf(const ObjectList* list, const void* p);
// ListIndexOf, then ListDelete when found.
void ListRemove(ObjectList* list, const void* p);
// Never below the count.
void ListSetCapacity(ObjectList* list, int32_t capacity);
// Releases the item array; the items themselves are not freed.
void ListClear(ObjectList* list);
// Frees every item with FreeObject, last first, then the list itself.
void ListFreeAll(ObjectList* list);
