#include "ui/message_list.h"

#include <algorithm>

#include "app/globals.h"
#include "data/xml_node.h"
#include "platform/services.h"
#include "ui/gui.h"
#include "ui/panels.h"

std::vector<MessagePtr> AvailableMessages;
std::vector<MessagePtr> ShownMessages;
MessagePtr CurrentMessage;
int MessageBoxState = kMessageBoxClosed;
Interpolation MessageBoxFade = Interpolation::Create(0.0f);
std::shared_ptr<ClickButton> MessageOKButton;
Callback MessageOnClose;

namespace {

std::vector<MessagePtr>::iterator FindIn(std::vector<MessagePtr>& list, int id) {
  return std::find_if(list.begin(), list.end(), [id](const MessagePtr& m) { return m->id == id; });
}

// The follow-up of a message, or 0 when it has none or it is not available.
int NextOf(const MessagePtr& m) {
  if (!m || m->next == 0) return 0;
  return MessageList::Find(m->next) ? m->next : 0;
}

const std::string* AttributeValue(const xmlNode* node, const char* name) {
  const xmlAttribute* a = node->Attribute(name);
  return a ? &a->value : nullptr;
}

}  // namespace

MessagePtr MessageList::Find(int id) {
  auto it = FindIn(AvailableMessages, id);
  return it == AvailableMessages.end() ? nullptr : *it;
}

int MessageList::IsActive() {
  return (MessageBoxState == kMessageBoxOpen || MessageBoxState == kMessageBoxRequested) ? 1 : 0;
}

void MessageList::MarkSeen(int id) {
  auto it = FindIn(AvailableMessages, id);
  if (it == AvailableMessages.end()) return;
  MessagePtr m = *it;
  AvailableMessages.erase(it);
  ShownMessages.push_back(m);
}

void MessageList::Forget(int id) {
  auto it = FindIn(ShownMessages, id);
  if (it == ShownMessages.end()) return;
  MessagePtr m = *it;
  ShownMessages.erase(it);
  AvailableMessages.push_back(m);
}

void MessageList::Show(int id, Callback onClose) {
  MessagePtr m = Find(id);
  if (!m) return;
  MarkSeen(id);
  MessageBoxState = kMessageBoxRequested;
  CurrentMessage = m;
  MessageOnClose = std::move(onClose);
}

void MessageList::Close() {
  if (MessageOKButton) MessageOKButton->alpha.SetTargetIn(0.0f, 20);
  const bool chainEnds = NextOf(CurrentMessage) == 0;
  if (chainEnds) {
    GUI::SetAllEnabled(1);
    FadeTintTo(255.0f, 20);
  }
  MessageBoxFade.SetTargetIn(0.0f, 20);
  MessageBoxState = kMessageBoxClosing;
  if (MessageOnClose && chainEnds) {
    Callback call = MessageOnClose;
    call();
    if (MessageBoxState == kMessageBoxClosing) MessageOnClose = nullptr;
  }
}

int MessageList::Load(const std::string& path) {
  if (FileTypeOf(path) != 1) return 0;
  std::unique_ptr<xmlNode> root = xmlNode::Load(path);
  if (!root) return 0;
  AvailableMessages.clear();
  ShownMessages.clear();
  for (const auto& child : root->children) {
    const std::string* id = AttributeValue(child.get(), "id");
    const std::string* title = AttributeValue(child.get(), "title");
    const std::string* text = AttributeValue(child.get(), "text");
    if (!id || !title || !text) return 0;
    auto m = std::make_shared<MessageContainer>();
    m->id = TextToInt(*id);
    m->title = *title;
    m->text = *text;
    if (const std::string* p = AttributeValue(child.get(), "powerup")) m->powerup = TextToInt(*p);
    if (const std::string* n = AttributeValue(child.get(), "next")) m->next = TextToInt(*n);
    AvailableMessages.push_back(m);
  }
  return 1;
}

void MessageList::Update(float dt) {
  if (MessageBoxState == kMessageBoxClosed) return;
  if (MessageBoxState == kMessageBoxRequested) {
    GUI::SetAllEnabled(0);
    const int h = PanelHeight(CurrentMessage->title, CurrentMessage->text);
    const int by = (ScreenHeight - (h + 100)) / 2 + (h + 100) - 64;
    MessageOKButton = ClickButton::CreateWithCaption(400, by, "OK", MessageList::Close);
    MessageOKButton->alpha.current = 0.01f;
    MessageOKButton->alpha.SetTargetIn(1.0f, 50);
    GUI::Add(MessageOKButton);
    FadeTintTo(128.0f, 20);
    MessageBoxFade.SetTargetIn(kMessageBoxOpacity, 50);
    MessageBoxState = kMessageBoxOpen;
  }
  MessageBoxFade.Update(dt);
  if (MessageBoxFade.current == 0.0f) {
    const int next = NextOf(CurrentMessage);
    if (next == 0) {
      CurrentMessage = nullptr;
      MessageBoxState = kMessageBoxClosed;
    } else {
      Show(next, MessageOnClose);
    }
  }
}

void MessageList::Draw() {
  if (MessageBoxState == kMessageBoxClosed || !CurrentMessage) return;
  SetDrawColour(255, 255, 255);
  DrawMessagePanel(CurrentMessage->title, CurrentMessage->text,
                   static_cast<float>(MessageBoxFade.Value()));
}

void MessageList::Reset() {
  AvailableMessages.clear();
  ShownMessages.clear();
  CurrentMessage = nullptr;
  MessageBoxState = kMessageBoxClosed;
  MessageBoxFade = Interpolation::Create(0.0f);
  MessageOKButton = nullptr;
  MessageOnClose = nullptr;
}
