#include "ui/ObjectList.h"
#include <gtest/gtest.h>
#include <string>

namespace {
std::string trace;

class Traced : public BaseObject {
  public:
    explicit Traced(char name) : name(name) {}
    char name;

  protected:
    ~Traced() override { trace += name; }
};
} // namespace

TEST(ObjectCore, FreeWhileReferencedWaitsForTheLastRelease) {
    trace.clear();
    auto* obj = new Traced('a');
    AddRef(obj);
    AddRef(obj);
    FreeObject(obj);
    FreeObject(obj); // a second request while pending changes nothing
    EXPECT_EQ(trace, "");
    ReleaseRef(obj);
    EXPECT_EQ(trace, "");
    ReleaseRef(obj);
    EXPECT_EQ(trace, "a");
}

TEST(ObjectCore, ReleaseWithoutFreeKeepsTheObject) {
    trace.clear();
    auto* obj = new Traced('b');
    AddRef(obj);
    ReleaseRef(obj);
    EXPECT_EQ(trace, "");
    FreeObject(obj);
    EXPECT_EQ(trace, "b");
    FreeObject(nullptr);
}

TEST(ObjectCore, DestroyEventThenAutoFreeNewestFirst) {
    trace.clear();
    auto* owner = new Traced('o');
    owner->OnDestroy = MakeEvent(
        +[](void* data, BaseObject*) { *static_cast<std::string*>(data) += "!"; }, &trace);
    AddToAutoFree(owner, new Traced('1'));
    AddToAutoFree(owner, new Traced('2'));
    AddToAutoFree(
        owner, +[](void* data) { *static_cast<std::string*>(data) += "r"; }, &trace);
    FreeObject(owner);
    EXPECT_EQ(trace, "!r21o");
}

TEST(ObjectCore, FreeAllReleasesItemsLastFirstThenTheList) {
    trace.clear();
    ObjectList* list = CreateList();
    ListAdd(list, new Traced('x'));
    ListAdd(list, new Traced('y'));
    ListAdd(list, new Traced('z'));
    ListFreeAll(list);
    EXPECT_EQ(trace, "zyx");
}
