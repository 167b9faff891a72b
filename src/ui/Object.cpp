#include "ui/Object.h"
#include "ui/ObjectList.h"

void BaseObject::DestroyBasePart() {
    OnDestroy(this);
    OnDestroy = {};
    if (ObjectList* list = autoFree) {
        autoFree = nullptr;
        for (int i = 0; i + 1 < list->count; i += 2) {
            auto routine = reinterpret_cast<FreeRoutine>(ListGet(list, i));
            if (routine) routine(ListGet(list, i + 1));
        }
        FreeObject(list);
    }
}

void BaseObject::Destroy() {
    DestroyBasePart();
    delete this;
}

void FreeObject(BaseObject* obj) {
    if (!obj) return;
    if (obj->refWord == 0) {
        obj->Destroy();
    } else if (!(obj->refWord & 1)) {
        // Referenced: mark the free as pending. The word is now odd, so the
        // release of the last reference takes it below zero and destroys.
        obj->refWord -= 1;
    }
}

void AddRef(BaseObject* obj) {
    obj->refWord += 2;
}

void ReleaseRef(BaseObject* obj) {
    obj->refWord -= 2;
    if (obj->refWord < 0 && (obj->refWord & 1)) obj->Destroy();
}

static void FreeObjectRoutine(void* obj) {
    FreeObject(static_cast<BaseObject*>(obj));
}

void AddToAutoFree(BaseObject* owner, FreeRoutine routine, void* data) {
    if (!owner->autoFree) owner->autoFree = CreateList();
    ListInsert(owner->autoFree, 0, data);
    ListInsert(owner->autoFree, 0, reinterpret_cast<void*>(routine));
}

void AddToAutoFree(BaseObject* owner, BaseObject* obj) {
    AddToAutoFree(owner, FreeObjectRoutine, obj);
}
