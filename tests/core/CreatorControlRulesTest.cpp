#include "core/IconListRules.h"
#include "core/LinkLook.h"
#include "core/TravelButtons.h"

#include <gtest/gtest.h>

constexpr uint32_t Blue = 0x00FF0000;

TEST(LinkLook, ColourTextsTakeThreeShortNumbersClampedAndRoundedElseTheFallback) {
    EXPECT_EQ(LinkColourOf(L"128,0,128", Blue), 0x00800080u);
    EXPECT_EQ(LinkColourOf(L" 1 , 2 ,3 ", Blue), 0x00030201u);
    EXPECT_EQ(LinkColourOf(L"-5,300,20", Blue), 0x0014FF00u);
    EXPECT_EQ(LinkColourOf(L"0.5,1.5,2.5", Blue), 0x00020200u); // halves to even
    EXPECT_EQ(LinkColourOf(L"128,0", Blue), Blue);
    EXPECT_EQ(LinkColourOf(L"1,2,3,4", Blue), Blue);
    EXPECT_EQ(LinkColourOf(L"1000,0,0", Blue), Blue); // four characters
    EXPECT_EQ(LinkColourOf(L"0128,0,0", Blue), Blue);
    EXPECT_EQ(LinkColourOf(L"red,0,0", Blue), Blue);
    EXPECT_EQ(LinkColourOf(L"1,,3", Blue), Blue);
    EXPECT_EQ(LinkColourOf(L"!", Blue), Blue);
    EXPECT_EQ(LinkColourOf(L"", 0x123456), 0x123456u);
    EXPECT_EQ(LinkColourOf(L"1,2,", 7), 7u);
}

TEST(LinkLook, UnderlineWordsAreTrimmedWithoutCaseAndOthersKeepTheCurrent) {
    const LinkUnderlines both{true, true};
    auto is = [](LinkUnderlines u, bool normal, bool hover) {
        return u.Normal == normal && u.Hover == hover;
    };
    EXPECT_TRUE(is(LinkUnderlinesOf(L"  HoVeR ", both), false, true));
    for (const wchar_t* none : {L"no", L"NEVER", L" 0"})
        EXPECT_TRUE(is(LinkUnderlinesOf(none, both), false, false)) << none;
    for (const wchar_t* all : {L"always", L"Yes ", L"1"})
        EXPECT_TRUE(is(LinkUnderlinesOf(all, {false, false}), true, true)) << all;
    EXPECT_TRUE(is(LinkUnderlinesOf(L"!", {false, true}), false, true));
    EXPECT_TRUE(is(LinkUnderlinesOf(L"hovering", both), true, true));
    EXPECT_TRUE(LinkHoverColourOn(L"YES"));
    EXPECT_FALSE(LinkHoverColourOn(L" yes"));
    EXPECT_FALSE(LinkHoverColourOn(L"no"));
}

TEST(TravelButtons, LooksAndDurations) {
    EXPECT_EQ(TravelLook(false, 2), 3);
    EXPECT_EQ(TravelLook(true, 3), 0);
    EXPECT_EQ(TravelLook(true, 1), 1);
    EXPECT_EQ(TravelAnimationMs(0, 3), 1000);
    EXPECT_EQ(TravelAnimationMs(3, 2), 1000);
    EXPECT_EQ(TravelAnimationMs(1, 2), 50);
    EXPECT_EQ(TravelAnimationMs(2, 1), 250);
    EXPECT_EQ(TravelAnimationMs(0, 1), 250);
}

TEST(TravelButtons, PointerMovesBetweenHalvesAndOnlyAPressInsideReleasedInsideClicks) {
    const int s = 25;
    EXPECT_TRUE(TravelInside(0, 0, s));
    EXPECT_TRUE(TravelInside(50, 25, s));
    EXPECT_FALSE(TravelInside(51, 10, s));
    EXPECT_FALSE(TravelInside(10, -1, s));
    EXPECT_EQ(TravelHalfAt(24, s), 0);
    EXPECT_EQ(TravelHalfAt(25, s), 1);

    const bool both[2] = {true, true}, backOnly[2] = {true, false};
    TravelPointer p;
    EXPECT_EQ(p.Move(5, 5, s), TravelCapture::Take);
    EXPECT_EQ(p.State[0], 1);
    EXPECT_EQ(p.Move(30, 5, s), TravelCapture::Keep); // to the forward half, still captured
    EXPECT_EQ(p.State[0], 0);
    EXPECT_EQ(p.State[1], 1);
    // Press on back, release on forward: forward is clicked.
    EXPECT_EQ(p.LeftDown(5, 5, s), TravelCapture::Keep);
    EXPECT_EQ(p.State[0], 2);
    p.Move(30, 5, s);
    EXPECT_EQ(p.State[1], 2);
    int clicked = -2;
    EXPECT_EQ(p.Up(1, 30, 5, s, both, clicked), TravelCapture::Take);
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(p.State[1], 1);
    // Over a disabled half nothing is clicked.
    p.LeftDown(30, 5, s);
    p.Up(1, 30, 5, s, backOnly, clicked);
    EXPECT_EQ(clicked, -1);
    // A release far outside, even at an x inside, clicks nothing and lets go.
    p.LeftDown(5, 5, s);
    EXPECT_EQ(p.Up(1, 5, 400, s, both, clicked), TravelCapture::Release);
    EXPECT_EQ(clicked, -1);
    EXPECT_EQ(p.State[0], 0);
    // A press elsewhere (captured, outside) then a release inside: nothing.
    p.Move(5, 5, s);
    p.LeftDown(-40, 5, s);
    p.Up(1, 5, 5, s, both, clicked);
    EXPECT_EQ(clicked, -1);
    // Another button's release clicks nothing.
    p.LeftDown(5, 5, s);
    p.Up(2, 5, 5, s, both, clicked);
    EXPECT_EQ(clicked, -1);
    EXPECT_EQ(p.State[0], 1);
    p.Up(1, 5, 5, s, both, clicked);
    EXPECT_EQ(clicked, 0);
}

TEST(IconListRules, WheelNotchesAreWholeInTheDeltasDirectionWithTheRestCarried) {
    WheelNotches w;
    EXPECT_EQ(w.Take(60), 0); // never a step down
    EXPECT_EQ(w.Take(60), 1);
    EXPECT_EQ(w.Take(120), 1);
    EXPECT_EQ(w.Take(-240), -2);
    EXPECT_EQ(w.Take(-100), 0);
    EXPECT_EQ(w.Take(-30), -1);
    EXPECT_EQ(w.Carry(), -10);
    EXPECT_EQ(w.Take(100), 0); // turning back drops the other way's rest
    EXPECT_EQ(w.Carry(), 100);
    EXPECT_EQ(w.Take(380), 4);
    EXPECT_EQ(w.Carry(), 0);
}

TEST(IconListRules, PicturesAreCentredHalvesToEven) {
    EXPECT_EQ(CentredOffset(36, 32), 2);
    EXPECT_EQ(CentredOffset(42, 32), 5);
    EXPECT_EQ(CentredOffset(37, 32), 2); // 2.5
    EXPECT_EQ(CentredOffset(39, 32), 4); // 3.5
    EXPECT_EQ(CentredOffset(20, 32), -6);
}
