#include "engine/Animation.h"

#include "TestSupport.h"
#include "engine/Frame.h"
#include "engine/Sprite.h"

namespace {

/// A sprite of frame_count 1 x 1 frames "0", "1", ... with the given slowdown.
std::unique_ptr<lm::Sprite> makeSprite(int frame_count, int slowdown) {
    auto sprite = std::make_unique<lm::Sprite>(frame_count);
    sprite->setWidth(1);
    sprite->setHeight(1);
    sprite->setSlowdown(slowdown);
    for (int i = 0; i < frame_count; ++i) {
        sprite->pushFrame(lm::Frame(1, 1, std::to_string(i)));
    }
    return sprite;
}

/// The frame index shown at each of n draws.
std::vector<int> framesShown(lm::Animation& animation, int n) {
    std::vector<int> shown;
    for (int i = 0; i < n; ++i) {
        shown.push_back(animation.getIndex());
        animation.draw(lm::Vector(10, 5));
    }
    return shown;
}

TEST(AnimationTest, EachFrameStaysForTheSlowdownThenCycles) {
    auto sprite = makeSprite(3, 4);
    lm::Animation animation;
    animation.setSprite(sprite.get());
    EXPECT_EQ(framesShown(animation, 12), (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(animation.getIndex(), 0);
    EXPECT_EQ(animation.getSlowdownCount(), 0);

    auto quick = makeSprite(2, 0);  // a slowdown of 0 moves on at every draw
    animation.setSprite(quick.get());
    EXPECT_EQ(framesShown(animation, 3), (std::vector<int>{0, 1, 0}));

    lm::Animation without_sprite;
    EXPECT_EQ(without_sprite.draw(lm::Vector(0, 0)), -1);
}

TEST(AnimationTest, FrozenAnimationKeepsItsFrame) {
    auto sprite = makeSprite(3, 1);
    lm::Animation animation;
    animation.setSprite(sprite.get());
    animation.setIndex(1);
    animation.setSlowdownCount(-1);
    EXPECT_EQ(animation.draw(lm::Vector(0, 0)), -1);
    EXPECT_EQ(framesShown(animation, 3), (std::vector<int>{1, 1, 1}));
}

TEST(AnimationTest, IndexBeyondAShorterSpriteWrapsToTheFirstFrame) {
    auto sprite = makeSprite(2, 1);
    lm::Animation animation;
    animation.setIndex(5);
    animation.setSprite(sprite.get());  // keeps index 5
    EXPECT_EQ(animation.getIndex(), 5);
    EXPECT_EQ(framesShown(animation, 3), (std::vector<int>{5, 0, 1}));
}

TEST(SpriteTest, HoldsAtMostItsCapacityOfFrames) {
    lm::Sprite sprite(2);
    EXPECT_EQ(sprite.pushFrame(lm::Frame(1, 1, "a")), 0);
    EXPECT_EQ(sprite.pushFrame(lm::Frame(1, 1, "b")), 0);
    EXPECT_EQ(sprite.pushFrame(lm::Frame(1, 1, "c")), -1);
    EXPECT_EQ(sprite.getFrameCount(), 2);
    EXPECT_EQ(sprite.getFrame(1).getString(), "b");

    lm::Sprite none(-3);  // a negative capacity makes room for nothing
    EXPECT_EQ(none.pushFrame(lm::Frame(1, 1, "a")), -1);
}

TEST(SpriteTest, FramesOutsideTheAddedOnesAreEmpty) {
    auto sprite = makeSprite(2, 1);
    EXPECT_TRUE(sprite->getFrame(-1).getString().empty());
    EXPECT_TRUE(sprite->getFrame(2).getString().empty());
    EXPECT_EQ(sprite->draw(-1, lm::Vector(0, 0)), -1);
    EXPECT_EQ(sprite->draw(2, lm::Vector(0, 0)), -1);
    EXPECT_EQ(sprite->draw(1, lm::Vector(0, 0)), 0);
    EXPECT_EQ(sprite->getColor(), lm::WHITE);
}

TEST(FrameTest, EmptyFrameDrawsNothingAndMismatchedOnesStayInsideTheirString) {
    EXPECT_EQ(lm::Frame().draw(lm::Vector(0, 0), lm::RED), -1);
    // Width x height larger than the string: drawing stops at the string's end.
    EXPECT_EQ(lm::Frame(1000, 1000, "abc").draw(lm::Vector(0, 0), lm::RED), 0);
    EXPECT_EQ(lm::Frame(-2, 3, "abc").draw(lm::Vector(0, 0), lm::RED), 0);
}

}  // namespace
