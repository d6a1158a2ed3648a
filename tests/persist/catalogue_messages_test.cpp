// Profiles save and restore the message catalogue's shown list, and a new
// profile makes every message available again.
#include "ui/catalogue_seen_messages.h"

#include <gtest/gtest.h>

#include "persist_fixture.h"
#include "ui/message_list.h"

namespace {
class CatalogueMessages : public PersistTest {
 protected:
  void SetUp() override {
    PersistTest::SetUp();
    SetDataFolder(dir.path());
    CreateFolder(dir / "Data", 0);
    WriteFileBytes(dir / "Data/messages.xml",
                   CrLf({"<messages>", "  <message id=\"2\" title=\"a\" text=\"x\"/>",
                         "  <message id=\"3\" title=\"b\" text=\"x\"/>",
                         "  <message id=\"10\" title=\"c\" text=\"x\" next=\"2\"/>",
                         "  <message id=\"18\" title=\"d\" text=\"x\"/>", "</messages>"}));
    ASSERT_EQ(MessageList::Load("Data/messages.xml"), 1);
    InstallSeenMessages(std::make_unique<CatalogueSeenMessages>());
  }
  void TearDown() override {
    MessageList::Reset();
    SetDataFolder("");
    PersistTest::TearDown();
  }
  static std::vector<int> Ids(const std::vector<MessagePtr>& list) {
    std::vector<int> ids;
    for (const MessagePtr& m : list) ids.push_back(m->id);
    return ids;
  }
};
}  // namespace

TEST_F(CatalogueMessages, ShownMessagesRoundTripThroughTheProfile) {
  Profile::ResetProfile("Ann");
  MessageList::Show(10, nullptr);
  MessageList::Show(3, nullptr);
  MessageList::Show(18, nullptr);
  MessageList::Forget(18);  // shown every time, so never saved
  ASSERT_EQ(Profile::SaveProfile(), 1);
  const std::string saved = ReadFileBytes(ProfilePath("Ann.usr"));
  EXPECT_NE(saved.find("  <message id=\"10\"/>\r\n  <message id=\"3\"/>\r\n</profile>"),
            std::string::npos) << saved;

  // A new profile: every message available again, in file order, the box
  // closed.
  Profile::ResetProfile("Bo");
  EXPECT_TRUE(ShownMessages.empty());
  EXPECT_EQ(Ids(AvailableMessages), (std::vector<int>{2, 3, 10, 18}));
  EXPECT_EQ(MessageBoxState, kMessageBoxClosed);
  EXPECT_EQ(CurrentMessage, nullptr);

  // Loading marks the saved ones seen; identifiers the catalogue does not
  // hold are dropped.
  WriteProfileFile("Cy.usr", CrLf({"<profile name=\"Cy\" tokens=\"0\" total_tokens=\"0\">",
                                   "  <message id=\"18\"/>", "  <message id=\"99\"/>",
                                   "  <message id=\"2\"/>", "  <message id=\"18\"/>",
                                   "</profile>"}));
  MessageList::Show(3, nullptr);
  ASSERT_EQ(Profile::LoadProfile("Cy"), 1);
  EXPECT_EQ(Ids(ShownMessages), (std::vector<int>{18, 2}));
  EXPECT_EQ(Ids(AvailableMessages), (std::vector<int>{3, 10}));
  ASSERT_EQ(Profile::LoadProfile("Ann"), 1);
  EXPECT_EQ(Ids(ShownMessages), (std::vector<int>{10, 3}));
  EXPECT_EQ(MessageList::Find(10), nullptr);
  EXPECT_NE(MessageList::Find(2), nullptr);
}
