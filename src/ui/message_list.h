// The game's numbered story and hint messages, read from "Data/messages.xml",
// and the modal message box that shows them: each at most once per profile,
// with an "OK" button, the screen behind dimmed and its controls frozen, and
// chains of follow-up messages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/interpolation.h"
#include "ui/control.h"

class MessageContainer {
 public:
  int id = 0;
  std::string title;
  std::string text;  // "|" separates lines; a line starting with the centre mark is centred
  int powerup = 0;   // granted when the box closes on the quest map; 0 none
  int next = 0;      // the message that follows; 0 none
};

// The message box's states.
constexpr int kMessageBoxClosed = 0;
constexpr int kMessageBoxOpen = 1;
constexpr int kMessageBoxClosing = 2;
constexpr int kMessageBoxRequested = 3;

// The box never gets more opaque than this.
constexpr float kMessageBoxOpacity = 0.8f;

using MessagePtr = std::shared_ptr<MessageContainer>;

extern std::vector<MessagePtr> AvailableMessages;
extern std::vector<MessagePtr> ShownMessages;
extern MessagePtr CurrentMessage;
extern int MessageBoxState;
extern Interpolation MessageBoxFade;
extern std::shared_ptr<ClickButton> MessageOKButton;
extern Callback MessageOnClose;

class MessageList {
 public:
  static MessagePtr Find(int id);
  static int IsActive();
  static void MarkSeen(int id);
  static void Forget(int id);
  static void Show(int id, Callback onClose);
  // The "OK" button's click.  A follow-up that is not available ends the
  // chain as if there were none, so the screen is never left dimmed.
  static void Close();
  // 1 on success; 0 when the file is missing, does not parse, or a message
  // lacks "id", "title" or "text" (those read before it stay available).
  static int Load(const std::string& path);
  static void Update(float dt);
  static void Draw();
  // Empties both lists and closes the box without a trace (for tests and a
  // new profile, which then loads the file again).
  static void Reset();
};
