// The message catalogue and the message box: loading, showing at most once,
// the box's states and fades, chains through "next" with one close callback,
// and a follow-up that is not available ending the chain.
#include <gtest/gtest.h>

#include "ui/panels.h"
#include "ui_fixture.h"

namespace {
class Messages : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    WriteFileBytes(dir / "messages.xml",
                   "<messages>\r\n"
                   "  <message id=\"10\" title=\"First\" text=\"one|two\" next=\"11\"/>\r\n"
                   "  <message id=\"11\" title=\"Second\" text=\"three\" powerup=\"64\"/>\r\n"
                   "  <message id=\"12\" title=\"Lost\" text=\"x\" next=\"99\"/>\r\n"
                   "  <message id=\" +13\" title=\"\" text=\"\"/>\r\n"
                   "</messages>\r\n");
    ASSERT_EQ(MessageList::Load("messages.xml"), 1);
  }
  // One frame of a screen with a message box: box update, controls, drawing.
  void BoxFrame() {
    TintRed.Update(1.0f);
    TintGreen.Update(1.0f);
    TintBlue.Update(1.0f);
    MessageList::Update(1.0f);
    GUI::UpdateAll(1.0f);
    backend->ClearScreen();
    MessageList::Draw();
    GUI::DrawAll();
  }
  // Clicks the box's "OK" button.
  void ClickOK() {
    ASSERT_TRUE(MessageOKButton);
    PointAt(MessageOKButton->x + 5, MessageOKButton->y + 5);
    PointerDown = 0;
    BoxFrame();
    PointerDown = 1;
    BoxFrame();
    PointerDown = 0;
  }
};

std::vector<int> Ids(const std::vector<MessagePtr>& list) {
  std::vector<int> ids;
  for (const MessagePtr& m : list) ids.push_back(m->id);
  return ids;
}
}  // namespace

TEST_F(Messages, LoadReadsEveryMessageAndRefusesMissingAttributes) {
  EXPECT_EQ(Ids(AvailableMessages), (std::vector<int>{10, 11, 12, 13}));
  EXPECT_EQ(MessageList::Find(11)->powerup, 64);
  EXPECT_EQ(MessageList::Find(10)->next, 11);
  EXPECT_EQ(MessageList::Find(12)->powerup, 0);

  struct Case {
    const char* name;
    const char* body;  // empty: no file
    int result;
    std::vector<int> available;
  };
  const Case cases[] = {
      {"missing", "", 0, {10, 11, 12, 13}},
      {"does not parse", "<m><a id=\"1\" title=\"t\" text=\"x\"/>", 0, {10, 11, 12, 13}},
      {"a message without a text", "<m><a id=\"1\" title=\"t\" text=\"x\"/><b id=\"2\" title=\"t\"/><c id=\"3\" title=\"t\" text=\"y\"/></m>", 0, {1}},
      {"element names are not looked at", "<m><a id=\"5\" title=\"t\" text=\"x\"/></m>", 1, {5}},
  };
  for (const Case& c : cases) {
    SetUp();
    std::string path = std::string("case-") + std::to_string(&c - cases) + ".xml";
    if (c.body[0]) WriteFileBytes(dir / path, c.body);
    EXPECT_EQ(MessageList::Load(path), c.result) << c.name;
    EXPECT_EQ(Ids(AvailableMessages), c.available) << c.name;
  }
}

TEST_F(Messages, ShowOpensTheBoxOnceAndMarkSeenAndForgetMoveMessages) {
  MessageList::Show(11, nullptr);
  EXPECT_EQ(MessageBoxState, kMessageBoxRequested);
  EXPECT_EQ(MessageList::IsActive(), 1);
  EXPECT_EQ(Ids(ShownMessages), std::vector<int>{11});
  MessageBoxState = kMessageBoxClosed;
  CurrentMessage = nullptr;
  MessageList::Show(11, nullptr);
  EXPECT_EQ(MessageBoxState, kMessageBoxClosed) << "a message is shown once";

  MessageList::MarkSeen(10);
  MessageList::MarkSeen(99);
  EXPECT_EQ(Ids(ShownMessages), (std::vector<int>{11, 10}));
  MessageList::Forget(11);
  MessageList::Forget(12);  // not shown: nothing happens
  EXPECT_EQ(Ids(AvailableMessages), (std::vector<int>{12, 13, 11}));
  EXPECT_EQ(Ids(ShownMessages), std::vector<int>{10});
}

TEST_F(Messages, AChainDimsOnceRunsTheCallbackOnceAndRestoresTheScreen) {
  int closed = 0;
  int below = 0;
  auto other = Button::Create(100, 100, 16, [&] { ++below; });
  GUI::Add(other);
  MessageList::Show(10, [&] { ++closed; });
  BoxFrame();
  EXPECT_EQ(MessageBoxState, kMessageBoxOpen);
  EXPECT_EQ(other->enabled, 0) << "the screen's controls are frozen";
  for (int i = 0; i < 100; ++i) BoxFrame();
  EXPECT_FLOAT_EQ(MessageBoxFade.current, kMessageBoxOpacity) << "never more opaque than 0.8";
  EXPECT_FLOAT_EQ(TintRed.current, 128.0f);

  ClickOK();
  EXPECT_EQ(MessageBoxState, kMessageBoxClosing);
  EXPECT_EQ(MessageList::IsActive(), 0) << "closing is not active";
  EXPECT_EQ(closed, 0) << "the chain goes on";
  for (int i = 0; i < 21; ++i) BoxFrame();
  EXPECT_EQ(CurrentMessage->id, 11) << "the follow-up opened";
  EXPECT_EQ(other->enabled, 0) << "still frozen between the two";
  EXPECT_FLOAT_EQ(TintRed.current, 128.0f) << "still dimmed between the two";
  for (int i = 0; i < 60; ++i) BoxFrame();

  ClickOK();
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(other->enabled, 1);
  for (int i = 0; i < 30; ++i) BoxFrame();
  EXPECT_EQ(MessageBoxState, kMessageBoxClosed);
  EXPECT_EQ(CurrentMessage, nullptr);
  EXPECT_FLOAT_EQ(TintRed.current, 255.0f);
  EXPECT_EQ(closed, 1) << "once";
  EXPECT_EQ(below, 0);
  EXPECT_TRUE(GUI::Controls().size() == 1u) << "the OK buttons faded out and left";
}

TEST_F(Messages, AFollowUpThatIsNotAvailableEndsTheChain) {
  int closed = 0;
  MessageList::MarkSeen(11);  // 10's follow-up was shown already
  for (int id : {10, 12}) {   // 12's follow-up does not exist
    SCOPED_TRACE(id);
    auto other = Button::Create(100, 100, 16, nullptr);
    GUI::Add(other);
    MessageList::Show(id, [&] { ++closed; });
    for (int i = 0; i < 60; ++i) BoxFrame();
    ClickOK();
    for (int i = 0; i < 30; ++i) BoxFrame();
    EXPECT_EQ(MessageBoxState, kMessageBoxClosed);
    EXPECT_EQ(other->enabled, 1);
    EXPECT_FLOAT_EQ(TintRed.current, 255.0f);
    GUI::Clear();
  }
  EXPECT_EQ(closed, 2);
}

TEST_F(Messages, TheBoxIsDrawnWhiteAtItsFadeWithTheOKButtonOnTop) {
  MessageList::Show(11, nullptr);
  for (int i = 0; i < 25; ++i) BoxFrame();
  using Call = HeadlessBackend::DrawCall;
  std::vector<Call> images;
  for (const Call& c : backend->FrameCalls()) {
    if (c.kind == Call::kImage) images.push_back(c);
  }
  ASSERT_EQ(images.size(), 5u) << "four quarters of the box, then the button";
  EXPECT_EQ(images[0].state.r, 255);
  EXPECT_EQ(images[0].state.alpha, static_cast<uint8_t>(255 * (0.4f * 0.75f)));
  const int h = PanelHeight("Second", "three");
  EXPECT_EQ(MessageOKButton->y + MessageOKButton->height / 2,
            (600 - (h + 100)) / 2 + (h + 100) - 64);
  EXPECT_EQ(MessageOKButton->x + MessageOKButton->width / 2, 400);
}
