#include "Traced.h"
#include "ui/ObjectList.h"
#include <gtest/gtest.h>
#include <string>

namespace {
std::string trace; // what Traced objects have freed, in order
} // namespace

TEST(ObjectCore, FreeWhileReferencedWaitsForTheLastRelease) {
    trace.clear();
    auto* obj = new Traced(trace, 'a');
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
    auto* obj = new Traced(trace, 'b');
    AddRef(obj);
    ReleaseRef(obj);
    EXPECT_EQ(trace, "");
    FreeObject(obj);
    EXPECT_EQ(trace, "b");
    FreeObject(nullptr);
}

TEST(ObjectCore, DestroyEventThenAutoFreeNewestFirst) {
    trace.clear();
    auto* owner = new Traced(trace, 'o');
    owner->OnDestroy = MakeEvent(
        +[](void* data, BaseObject*) { *static_cast<std::string*>(data) += "!"; }, &trace);
    AddToAutoFree(owner, new Traced(trace, '1'));
    AddToAutoFree(owner, new Traced(trace, '2'));
    AddToAutoFree(
        owner, +[](void* data) { *static_cast<std::string*>(data) += "r"; }, &trace);
    FreeObject(owner);
    EXPECT_EQ(trace, "!r21o");
}

TEST(ObjectCore, FreeAllReleasesItemsLastFirstThenTheList) {
    trace.clear();
    ObjectList* list = CreateList();
    ListAdd(list, new Traced(trace, 'x'));
    ListAdd(list, new Traced(trace, 'y'));
    ListAdd(list, new Traced(trace, 'z'));
    ListFreeAll(list);
    EXPECT_EQ(trace, "zyx");
}
