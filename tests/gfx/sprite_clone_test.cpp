// Sprites and their clones sharing animation sequences: reloading or destroying one sprite
// never frees a sequence another still plays.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/display.h"
#include "gfx/sprite.h"
#include "gfx/sprite_sequences.h"

namespace {

class SpriteCloneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr));
        ASSERT_EQ(S_OK, directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL));
        std::memset(&source_, 0, sizeof source_);
        std::memset(&clone_, 0, sizeof clone_);
        std::memset(&second_, 0, sizeof second_);
        ASSERT_EQ(1, CreateSprite(&source_, 0, 0, 4, 4, 8, MultiAnim | Visible, DDSCAPS_SYSTEMMEMORY, 0, 16));
        SetSpriteAnimSpeed(&source_, 1);
    }
    void TearDown() override {
        DestroySprite(&second_);
        DestroySprite(&clone_);
        DestroySprite(&source_);
        directDraw->Release();
        directDraw = nullptr;
    }
    // The frames a sprite shows over `calls` animation steps.
    static std::vector<int> Steps(Sprite& sprite, int calls) {
        std::vector<int> shown;
        for (int i = 0; i < calls; ++i) {
            AnimateSprite(&sprite);
            shown.push_back(sprite.currentFrame);
        }
        return shown;
    }

    Sprite source_;
    Sprite clone_;
    Sprite second_;
};

const int kWalk[] = {1, 2, 3, 4, 5, 6};
const int kRun[] = {7, 0};

TEST_F(SpriteCloneTest, ReloadingTheSourceLeavesTheCloneItsSequence) {
    ASSERT_EQ(1, LoadSpriteAnimation(&source_, 0, 6, kWalk));
    ASSERT_EQ(1, CloneSprite(&source_, &clone_));
    const int* shared = source_.sequences[0];
    EXPECT_EQ(1, sprite_sequences::OtherHolders(shared));
    // The source takes a new sequence; the clone goes on through the one it was made with
    // (freed memory would read differently here, and AddressSanitizer stops at once).
    ASSERT_EQ(1, LoadSpriteAnimation(&source_, 0, 2, kRun));
    EXPECT_EQ(shared, clone_.sequences[0]);
    EXPECT_EQ(std::vector<int>({2, 3, 4, 5, 6, 1, 2}), Steps(clone_, 7));
    EXPECT_EQ(std::vector<int>({0, 7, 0}), Steps(source_, 3));
    EXPECT_EQ(0, sprite_sequences::OtherHolders(shared));
}

TEST_F(SpriteCloneTest, ReloadingTheCloneLeavesTheSourceItsSequence) {
    ASSERT_EQ(1, LoadSpriteAnimation(&source_, 0, 6, kWalk));
    ASSERT_EQ(1, CloneSprite(&source_, &clone_));
    ASSERT_EQ(1, LoadSpriteAnimation(&clone_, 0, 2, kRun));
    EXPECT_EQ(std::vector<int>({2, 3, 4}), Steps(source_, 3));
    EXPECT_EQ(std::vector<int>({0, 7}), Steps(clone_, 2));
    // The clone's own sequence is its alone: replaced again, it is freed (no leak under
    // the leak checker), and the source still plays.
    ASSERT_EQ(1, LoadSpriteAnimation(&clone_, 0, 6, kWalk));
    EXPECT_EQ(std::vector<int>({5, 6, 1}), Steps(source_, 3));
}

TEST_F(SpriteCloneTest, EveryCloneHoldsTheSequenceUntilTheLastLetsGo) {
    ASSERT_EQ(1, LoadSpriteAnimation(&source_, 0, 6, kWalk));
    ASSERT_EQ(1, CloneSprite(&source_, &clone_));
    ASSERT_EQ(1, CloneSprite(&clone_, &second_));  // a clone of a clone holds it too
    const int* shared = source_.sequences[0];
    EXPECT_EQ(2, sprite_sequences::OtherHolders(shared));
    // Destroying the source and the first clone leaves the sequence to the second clone.
    DestroySprite(&clone_);
    ASSERT_EQ(1, LoadSpriteAnimation(&source_, 0, 2, kRun));
    EXPECT_EQ(std::vector<int>({2, 3, 4, 5, 6, 1}), Steps(second_, 6));
    EXPECT_EQ(0, sprite_sequences::OtherHolders(shared));
    // The second clone is now the last holder: reloading frees it, and nothing is left over.
    ASSERT_EQ(1, LoadSpriteAnimation(&second_, 0, 2, kRun));
    EXPECT_EQ(0, sprite_sequences::OtherHolders(shared));
}

TEST_F(SpriteCloneTest, DestroyingTheSourceFirstLeavesTheCloneASequenceToPlay) {
    ASSERT_EQ(1, LoadSpriteAnimation(&source_, 3, 6, kWalk));
    ASSERT_EQ(1, CloneSprite(&source_, &clone_));
    SetSpriteAnimation(&clone_, 3);
    // The sequences go with whichever of the two goes last.
    DestroySprite(&source_);
    EXPECT_EQ(std::vector<int>({2, 3}), Steps(clone_, 2));
    DestroySprite(&clone_);
    for (int* sequence : clone_.sequences) EXPECT_EQ(nullptr, sequence);
}

}  // namespace
