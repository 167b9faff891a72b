#include "screens/PendingStates.h"
#include <gtest/gtest.h>

// Each step: what the platform reports of window 1, and the state the
// bookkeeping must take it to have.
struct Step {
    bool exists, reported, believed;
};

static void Walk(PendingStates& p, std::initializer_list<Step> steps) {
    int i = 0;
    for (const Step& s : steps)
        EXPECT_EQ(p.Judge(1, s.exists, s.reported), s.believed) << "step " << i++;
}

TEST(PendingStates, ARequestCountsUntilTheWindowReachesItsStateOrIsGone) {
    PendingStates p;
    EXPECT_TRUE(p.Judge(1, true, true)) << "nothing pending: the platform's word";
    EXPECT_FALSE(p.Judge(1, false, true)) << "a window that is gone is not visible";

    p.Request(1, false);
    Walk(p, {{true, true, false}, {true, true, false}, {true, false, false}});
    EXPECT_FALSE(p.Has(1)) << "carried out";
    EXPECT_TRUE(p.Judge(1, true, true)) << "after that the platform's word again";

    p.Request(1, true);
    Walk(p, {{false, false, false}});
    EXPECT_FALSE(p.Has(1)) << "a window that is gone leaves the record";
}

TEST(PendingStates, AReversedRequestWaitsForTheWindowToPassThroughTheEarlierState) {
    PendingStates p;
    // Hidden, then shown again before its busy program answered: it still looks
    // visible, but the hide has yet to come.
    p.Request(1, false);
    p.Request(1, true);
    Walk(p, {{true, true, true}, {true, true, true}});
    EXPECT_TRUE(p.Has(1));
    Walk(p, {{true, false, true}, {true, true, true}});
    EXPECT_FALSE(p.Has(1)) << "hide then show carried out";

    // Once reversed it stays pending even when every change was missed: the
    // state asked for last is the one the window ends in.
    p.Request(1, false);
    p.Request(1, true);
    p.Request(1, false);
    Walk(p, {{true, false, false}, {true, true, false}, {true, false, false}});
    EXPECT_FALSE(p.Has(1));
}

TEST(PendingStates, RepeatedRequestsAndTheShowsStillOnTheirWay) {
    PendingStates p;
    p.Request(1, true);
    p.Request(1, true);
    p.Request(2, false);
    p.Request(3, true);
    EXPECT_EQ(p.size(), 3u);
    EXPECT_EQ(p.PendingShows(), (std::vector<uintptr_t>{1, 3}));
    Walk(p, {{true, true, true}});
    EXPECT_EQ(p.PendingShows(), (std::vector<uintptr_t>{3}));
}

TEST(PendingStates, ASecondLookOnceTheProgramAnswersAsksAgainForWhatWasSwallowed) {
    using C = PendingStates::Check;
    PendingStates p;
    // A program that talks to us while it hides took the show inside the hide:
    // it answers, hidden, though the show came last.
    p.Request(1, false);
    p.Request(1, true);
    EXPECT_EQ(p.Recheck(1, true, false, true), C::Wait) << "busy: nothing to judge";
    EXPECT_EQ(p.Recheck(1, true, true, false), C::Resend);
    EXPECT_TRUE(p.Wanted(1));
    EXPECT_EQ(p.Recheck(1, true, true, true), C::Done) << "the show asked alone is done once seen";

    // A reversed pair seen in its state must hold for two looks: the earlier
    // request may still be on its way out.
    p.Request(2, false);
    p.Request(2, true);
    EXPECT_EQ(p.Recheck(2, true, true, true), C::Wait);
    EXPECT_EQ(p.Recheck(2, true, true, false), C::Resend);
    EXPECT_EQ(p.Recheck(2, true, true, true), C::Done);
    p.Request(3, false);
    p.Request(3, true);
    EXPECT_EQ(p.Recheck(3, true, true, true), C::Wait);
    EXPECT_EQ(p.Recheck(3, true, true, true), C::Done);

    // A hide that does not take while the program answers: the window is one
    // we may not touch. A busy program is only waited for.
    p.Request(4, false);
    EXPECT_EQ(p.Recheck(4, true, true, true), C::Wait);
    EXPECT_EQ(p.Recheck(4, true, false, true), C::Wait);
    EXPECT_EQ(p.Recheck(4, true, true, true), C::Wait) << "looks in a row only";
    EXPECT_EQ(p.Recheck(4, true, true, true), C::Refused);
    p.Request(7, false);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(p.Recheck(7, true, false, true), C::Wait) << "busy, look " << i;
    EXPECT_EQ(p.Recheck(7, true, true, false), C::Done) << "the hide took once it answered";
    // A show the program keeps overriding is its choice, not ours to fight.
    p.Request(8, true);
    EXPECT_EQ(p.Recheck(8, true, true, false), C::Wait);
    EXPECT_EQ(p.Recheck(8, true, true, false), C::Done);
    EXPECT_EQ(p.Recheck(5, false, false, false), C::Done) << "nothing pending";
    p.Request(6, true);
    EXPECT_EQ(p.Recheck(6, false, false, false), C::Done) << "gone";
    EXPECT_EQ(p.size(), 0u);
}
