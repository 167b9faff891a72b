// The object core every layer object shares: lifetime with deferred freeing,
// the destroy event and the auto-free list through which an owner frees what
// it was given.
#pragma once
#include <cstdint>

class BaseObject;
class ObjectList;

// A routine plus the data pointer it is bound to. The routine receives the data
// first, then the sender and the event's own arguments. An empty event is skipped.
template <typename... Args> struct EventRef {
    using Routine = void (*)(void* data, Args...);
    Routine routine = nullptr;
    void* data = nullptr;

    explicit operator bool() const { return routine != nullptr; }
    void operator()(Args... args) const {
        if (routine) routine(data, args...);
    }
};

template <typename... Args>
EventRef<Args...> MakeEvent(void (*routine)(void*, Args...), void* data) {
    return EventRef<Args...>{routine, data};
}

using NotifyEvent = EventRef<BaseObject*>;
using FreeRoutine = void (*)(void* obj);

class BaseObject {
  public:
    BaseObject() = default;
    BaseObject(const BaseObject&) = delete;
    BaseObject& operator=(const BaseObject&) = delete;

    // Twice the number of references held; bit 0 = a free was requested while referenced.
    int32_t refWord = 0;
    NotifyEvent OnDestroy;
    // Pairs (free routine, object), newest first; created on first use.
    ObjectList* autoFree = nullptr;

    // Releases what the object owns, then the instance itself.
    virtual void Destroy();

  protected:
    virtual ~BaseObject() = default;
    // The common first part of every destruction: the destroy event, then the
    // auto-free objects in list order (newest first), then that list.
    void DestroyBasePart();
};

void FreeObject(BaseObject* obj);
void AddRef(BaseObject* obj);
void ReleaseRef(BaseObject* obj);

// Ties obj's lifetime to owner: freed with FreeObject when owner is destroyed.
void AddToAutoFree(BaseObject* owner, BaseObject* obj);
// Same, with an explicit routine that receives data when owner is destroyed.
void AddToAutoFree(BaseObject* owner, FreeRoutine routine, void* data);
