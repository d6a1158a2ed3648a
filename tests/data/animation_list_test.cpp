// Animations: templates built frame by frame, copies that advance on their
// own, frame timing at the boundaries, looping, and the game's table.
#include "data/animation_list.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

class AnimationListTest : public ::testing::Test {
 protected:
  void SetUp() override { AnimationList::Reset(); }
  void TearDown() override { AnimationList::Reset(); }

  static const Animation* Template(int animId) {
    for (const Animation& a : AnimationList::Templates()) {
      if (a.animId == animId) return &a;
    }
    return nullptr;
  }
  // (image, ticks) of every frame of a template.
  static std::vector<std::pair<int, int>> FramesOf(int animId) {
    std::vector<std::pair<int, int>> out;
    if (const Animation* a = Template(animId)) {
      for (const auto& f : a->frames) out.emplace_back(f->imageId, f->ticks);
    }
    return out;
  }
};

TEST_F(AnimationListTest, AddFrameAppendsToTheTemplateOrCreatesIt) {
  AnimationList::AddFrame(7, 11, 3);
  AnimationList::AddFrame(8, 20, 5);
  AnimationList::AddFrame(7, 12, 4);
  const std::vector<Animation>& all = AnimationList::Templates();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].animId, 7);
  EXPECT_EQ(all[1].animId, 8);
  EXPECT_EQ(all[0].totalTicks, 7);
  EXPECT_EQ(all[0].looping, 0);
  EXPECT_EQ(all[0].elapsed, 0.0f);
  EXPECT_EQ(FramesOf(7), (std::vector<std::pair<int, int>>{{11, 3}, {12, 4}}));
  EXPECT_EQ(FramesOf(8), (std::vector<std::pair<int, int>>{{20, 5}}));

  AnimationList::SetLooping(8, 1);
  AnimationList::SetLooping(9, 1);  // no such template: nothing is created
  EXPECT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].looping, 1);
  EXPECT_EQ(all[0].looping, 0);
  AnimationList::SetLooping(8, 0);
  EXPECT_EQ(all[1].looping, 0);
}

TEST_F(AnimationListTest, CurrentImageAndFinishedAtFrameBoundaries) {
  // Image 1 for 2 ticks, then image 2 for 3 ticks, played once.
  AnimationList::AddFrame(1, 1, 2);
  AnimationList::AddFrame(1, 2, 3);
  struct Case {
    float elapsed;
    int image;
    int finished;
  } cases[] = {
      {0.0f, 1, 0}, {1.99f, 1, 0}, {2.0f, 2, 0}, {4.99f, 2, 0},
      {5.0f, 0, 1}, {6.5f, 0, 1},  {100.0f, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.elapsed);
    std::unique_ptr<Animation> a = AnimationList::NewAnimation(1);
    ASSERT_NE(a, nullptr);
    a->Update(c.elapsed);
    EXPECT_EQ(a->CurrentImage(), c.image);
    EXPECT_EQ(a->IsFinished(), c.finished);
    EXPECT_EQ(a->elapsed, c.elapsed);  // a one-shot keeps counting past its end
  }
  Animation empty;
  EXPECT_EQ(empty.IsFinished(), 1);
  EXPECT_EQ(empty.CurrentImage(), kNoAnimationImage);
}

TEST_F(AnimationListTest, LoopingWrapsAroundEvenForStepsLongerThanTheAnimation) {
  AnimationList::AddFrame(1, 5, 4);
  AnimationList::AddFrame(1, 6, 6);
  AnimationList::SetLooping(1, 1);
  struct Case {
    std::vector<float> steps;
    float elapsed;
    int image;
  } cases[] = {
      {{9.5f}, 9.5f, 6},
      {{10.0f}, 0.0f, 5},
      {{3.0f, 3.0f, 3.0f, 3.0f}, 2.0f, 5},
      {{35.0f}, 5.0f, 6},
      {{0.0f}, 0.0f, 5},
  };
  for (const Case& c : cases) {
    std::unique_ptr<Animation> a = AnimationList::NewAnimation(1);
    for (float s : c.steps) a->Update(s);
    EXPECT_FLOAT_EQ(a->elapsed, c.elapsed);
    EXPECT_EQ(a->CurrentImage(), c.image);
    EXPECT_EQ(a->IsFinished(), 0);
  }
}

TEST_F(AnimationListTest, ALoopingAnimationWithoutLengthDoesNotHang) {
  AnimationList::AddFrame(1, 5, 0);
  AnimationList::SetLooping(1, 1);
  std::unique_ptr<Animation> a = AnimationList::NewAnimation(1);
  a->Update(3.0f);
  EXPECT_EQ(a->CurrentImage(), kNoAnimationImage);
  EXPECT_EQ(a->IsFinished(), 1);
}

TEST_F(AnimationListTest, CopiesAdvanceOnTheirOwnAndShareTheTemplatesFrames) {
  AnimationList::AddFrame(3, 30, 10);
  AnimationList::AddFrame(3, 31, 10);
  AnimationList::SetLooping(3, 1);
  std::unique_ptr<Animation> a = AnimationList::NewAnimation(3);
  std::unique_ptr<Animation> b = AnimationList::NewAnimation(3);
  ASSERT_TRUE(a && b);
  a->Update(12.0f);
  EXPECT_EQ(a->CurrentImage(), 31);
  EXPECT_EQ(b->CurrentImage(), 30);
  EXPECT_EQ(b->elapsed, 0.0f);
  EXPECT_EQ(Template(3)->elapsed, 0.0f);

  // Copy() keeps the position it was taken at, then goes its own way.
  std::unique_ptr<Animation> c = a->Copy();
  EXPECT_EQ(c->animId, 3);
  EXPECT_EQ(c->looping, 1);
  EXPECT_EQ(c->totalTicks, 20);
  EXPECT_EQ(c->elapsed, 12.0f);
  c->Update(10.0f);
  EXPECT_EQ(c->CurrentImage(), 30);
  EXPECT_EQ(a->CurrentImage(), 31);

  const Animation* t = Template(3);
  ASSERT_EQ(c->frames.size(), t->frames.size());
  for (size_t i = 0; i < t->frames.size(); ++i) {
    EXPECT_EQ(a->frames[i], t->frames[i]);
    EXPECT_EQ(c->frames[i], t->frames[i]);
  }
  EXPECT_NE(&a->frames, &t->frames);

  const std::shared_ptr<Frame> f = t->frames[1]->Copy();
  EXPECT_NE(f.get(), t->frames[1].get());
  EXPECT_EQ(f->imageId, 31);
  EXPECT_EQ(f->ticks, 10);
}

TEST_F(AnimationListTest, NewAnimationOfAnUnknownIdentifierIsNone) {
  EXPECT_EQ(AnimationList::NewAnimation(0), nullptr);
  BuildGameAnimations();
  EXPECT_EQ(AnimationList::NewAnimation(4242), nullptr);
  EXPECT_EQ(AnimationList::NewAnimation(204), nullptr);  // the wolf has no 204
  EXPECT_NE(AnimationList::NewAnimation(0), nullptr);
}

// ---- The game's table ------------------------------------------------------

TEST_F(AnimationListTest, GameTableHas57AnimationsWith304FramesOfWhich26Loop) {
  BuildGameAnimations();
  const std::vector<Animation>& all = AnimationList::Templates();
  size_t frames = 0;
  int loops = 0;
  std::set<int> ids;
  for (const Animation& a : all) {
    frames += a.frames.size();
    loops += a.looping;
    ids.insert(a.animId);
    int sum = 0;
    for (const auto& f : a.frames) {
      EXPECT_GT(f->ticks, 0) << a.animId;
      sum += f->ticks;
    }
    EXPECT_EQ(a.totalTicks, sum) << a.animId;
    EXPECT_EQ(a.elapsed, 0.0f) << a.animId;
  }
  EXPECT_EQ(all.size(), 57u);
  EXPECT_EQ(ids.size(), 57u);
  EXPECT_EQ(frames, 304u);
  EXPECT_EQ(loops, 26);
}

TEST_F(AnimationListTest, GameTableOrderLoopsAndLengths) {
  struct Row {
    int id;
    int loops;
    int total;
  };
  const Row rows[] = {
      {100, 1, 100}, {101, 1, 60},  {107, 1, 36},  {102, 0, 40},  {103, 0, 40},
      {104, 0, 185}, {105, 0, 240}, {106, 0, 125}, {108, 0, 105}, {109, 1, 30},
      {110, 0, 120}, {500, 1, 100}, {501, 1, 52},  {507, 1, 36},  {502, 0, 35},
      {503, 0, 35},  {504, 0, 185}, {505, 0, 240}, {506, 0, 125}, {508, 0, 105},
      {509, 1, 30},  {510, 0, 120}, {800, 1, 100}, {801, 1, 68},  {807, 1, 36},
      {802, 0, 45},  {803, 0, 45},  {804, 0, 185}, {805, 0, 240}, {806, 0, 125},
      {808, 0, 105}, {809, 1, 30},  {810, 0, 120}, {300, 1, 100}, {301, 1, 36},
      {302, 0, 40},  {303, 0, 40},  {304, 0, 180}, {305, 0, 44},  {200, 1, 100},
      {201, 1, 60},  {202, 0, 40},  {203, 0, 40},  {205, 0, 95},  {206, 0, 79},
      {400, 1, 200}, {401, 1, 60},  {700, 1, 100}, {701, 1, 96},  {702, 0, 59},
      {703, 0, 60},  {704, 1, 136}, {3000, 1, 54}, {3001, 1, 60}, {3002, 1, 60},
      {3003, 1, 60}, {0, 1, 60},
  };
  BuildGameAnimations();
  const std::vector<Animation>& all = AnimationList::Templates();
  ASSERT_EQ(all.size(), sizeof(rows) / sizeof(rows[0]));
  for (size_t i = 0; i < all.size(); ++i) {
    SCOPED_TRACE(rows[i].id);
    EXPECT_EQ(all[i].animId, rows[i].id);
    EXPECT_EQ(all[i].looping, rows[i].loops);
    EXPECT_EQ(all[i].totalTicks, rows[i].total);
  }
}

TEST_F(AnimationListTest, GameTableFramesOfSelectedAnimations) {
  using Frames = std::vector<std::pair<int, int>>;
  struct Spot {
    int id;
    Frames frames;
  } spots[] = {
      {101, {{100, 15}, {101, 15}, {102, 15}, {103, 15}}},
      {102, {{131, 8}, {130, 8}, {123, 8}, {122, 8}, {121, 8}}},
      {504, {{504, 20}, {505, 20}, {506, 40}, {507, 20}, {516, 20}, {517, 40}, {518, 25}}},
      {805,
       {{860, 20}, {861, 20}, {862, 20}, {863, 20}, {870, 20}, {871, 20}, {872, 20},
        {873, 20}, {872, 20}, {873, 20}, {872, 20}, {873, 20}}},
      {808, {{854, 15}, {855, 15}, {856, 15}, {857, 15}, {856, 15}, {855, 15}, {854, 15}}},
      {303, {{322, 7}, {321, 8}, {320, 10}, {319, 8}, {318, 7}}},
      {206, {{224, 12}, {223, 15}, {229, 25}, {223, 15}, {224, 12}}},
      {400,
       {{400, 20}, {401, 20}, {402, 20}, {406, 20}, {407, 20}, {408, 20}, {407, 20},
        {406, 20}, {402, 20}, {401, 20}}},
      {702,
       {{700, 4}, {701, 4}, {702, 5}, {703, 6}, {706, 8}, {707, 14}, {706, 5}, {703, 5},
        {702, 4}, {701, 4}}},
      {0, {{3018, 20}, {3018, 20}, {3018, 20}}},
  };
  BuildGameAnimations();
  for (const Spot& s : spots) {
    SCOPED_TRACE(s.id);
    EXPECT_EQ(FramesOf(s.id), s.frames);
  }
}

TEST_F(AnimationListTest, GameAnimationsPlayAsTimed) {
  BuildGameAnimations();
  // The sheep's walk: 15 ticks per image, then around again.
  std::unique_ptr<Animation> walk = AnimationList::NewAnimation(101);
  ASSERT_NE(walk, nullptr);
  walk->Update(20.0f);
  EXPECT_EQ(walk->CurrentImage(), 101);
  walk->Update(40.0f);
  EXPECT_EQ(walk->CurrentImage(), 100);
  EXPECT_EQ(walk->elapsed, 0.0f);

  std::unique_ptr<Animation> longStep = AnimationList::NewAnimation(101);
  longStep->Update(130.0f);
  EXPECT_FLOAT_EQ(longStep->elapsed, 10.0f);

  // The turn plays once and ends on no image.
  std::unique_ptr<Animation> turn = AnimationList::NewAnimation(102);
  turn->Update(39.9f);
  EXPECT_EQ(turn->CurrentImage(), 121);
  EXPECT_EQ(turn->IsFinished(), 0);
  std::unique_ptr<Animation> ended = AnimationList::NewAnimation(102);
  ended->Update(40.0f);
  EXPECT_EQ(ended->IsFinished(), 1);
  EXPECT_EQ(ended->CurrentImage(), 0);

  // Two copies of one animation advance independently.
  std::unique_ptr<Animation> one = AnimationList::NewAnimation(801);
  std::unique_ptr<Animation> two = AnimationList::NewAnimation(801);
  one->Update(17.0f);
  two->Update(34.0f);
  EXPECT_EQ(one->CurrentImage(), 801);
  EXPECT_EQ(two->CurrentImage(), 802);
  EXPECT_EQ(AnimationList::NewAnimation(801)->CurrentImage(), 800);
}

}  // namespace
