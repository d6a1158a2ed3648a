#include "screens/title.h"

#include <cmath>
#include <memory>

#include "app/globals.h"
#include "app/logging.h"
#include "app/text_lines.h"
#include "data/audio_list.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "data/xml_node.h"
#include "level/particle.h"
#include "persist/profile.h"
#include "persist/profile_names.h"
#include "platform/services.h"
#include "screens/credits.h"
#include "screens/pointer_sparkles.h"
#include "screens/quest.h"
#include "ui/gui.h"
#include "ui/message_list.h"
#include "ui/options.h"
#include "ui/panels.h"

int TitleState = kTitleMainMenu;
float TitleCountdown = 0;
Interpolation TitleFade = Interpolation::Create(0.0f);
Interpolation QuestPanelFade = Interpolation::Create(0.0f);
Interpolation TitleMusicFade = Interpolation::Create(0.0f);
std::shared_ptr<ClickButton> PlayButton;
std::shared_ptr<ClickButton> OptionsButton;
std::shared_ptr<ClickButton> QuitButton;
std::shared_ptr<TextButton> ChangeProfileButton;
std::shared_ptr<ClickButton> QuestMenuButton;
std::vector<TitleQuest> TitleQuests;
std::string ProfileNameInput;
std::vector<std::string> ProfileNames;
Callback DeferredCloseCallback;
int CheatIndex = -1;
int CheatPosition = 0;
std::string NameEntryNotice;

namespace {

const char kQuestListPath[] = "Data/quests.xml";
const char kVersion[] = "1.01";
const char* const kPhrases[] = {"lambkin", "fluff barnyards", "bold trots", "shear the flock",
                                "muddy paddock"};
constexpr int kPhraseCount = 5;

// The quest list is needed to go on; without it the game cannot be played.
void LoadQuestsOrEnd() {
  if (Title::LoadQuests(kQuestListPath) == 0) {
    ShowMessageBox("Error: 'Data/quests.xml' invalid!", 1);
    Log("# File 'Data/quests.xml' not valid!");
    EndProgram();
  }
}

void FadeInControl(Interpolation& alpha, int ticks) {
  alpha.current = 0.0f;
  alpha.SetTargetIn(1.0f, ticks);
}

// Fading out to leave: the screen, its panels and the music go dark together.
void FadeOutToLeave() {
  FadeTintTo(0.0f, 50);
  TitleFade.SetTargetIn(0.0f, 50);
  TitleCountdown = 60;
  TitleMusicFade.SetTargetIn(0.0f, 50);
}

const std::string* Attr(const xmlNode* node, const char* name) {
  const xmlAttribute* a = node->Attribute(name);
  return a ? &a->value : nullptr;
}

}  // namespace

std::vector<Letter> Title::StartLetters() {
  struct Row {
    int imageId, x, startY, yOffset;
  };
  static const Row rows[] = {{4009, 100, -100, 0},  {4001, 176, -140, 10}, {4002, 252, -180, 6},
                             {4002, 312, -220, 10}, {4008, 376, -260, 60}, {4003, 442, -300, 20},
                             {4004, 492, -340, 8},  {4005, 552, -380, 16}, {4006, 636, -420, 70},
                             {4007, 696, -460, 16}};
  std::vector<Letter> letters;
  for (const Row& r : rows) {
    Letter l;
    l.imageId = r.imageId;
    l.x = r.x;
    l.y = static_cast<float>(r.startY);
    l.yOffset = r.yOffset;
    letters.push_back(l);
  }
  return letters;
}

void Title::UpdateLetters(std::vector<Letter>& letters, float dt) {
  for (Letter& l : letters) {
    if (!l.active) continue;
    l.velocity += dt * 0.2f;
    l.y += dt * l.velocity;
    if (l.y > kLetterGround) {
      if (l.imageId == 4009 || l.imageId == 4008) {
        AudioList::StopSound(kLetterBounceSound);
        AudioList::PlaySound(kLetterBounceSound, 0.0f, 1.0f);
      }
      l.bounce *= 0.75f;
      l.velocity = -l.velocity * l.bounce;
      l.y = kLetterGround;
      if (l.bounce < 0.1f) l.active = 0;
    }
  }
}

int Title::MatchPhrase(int ch) {
  if (ch == 0) return 0;
  if (CheatIndex >= 0) {
    const char* phrase = kPhrases[CheatIndex];
    if (static_cast<unsigned char>(phrase[CheatPosition + 1]) == ch) {
      ++CheatPosition;
      if (phrase[CheatPosition + 1] == '\0') {
        const int done = CheatIndex + 1;
        CheatIndex = -1;
        CheatPosition = 0;
        return done;
      }
      return 0;
    }
  }
  // A character that breaks the match may begin another one.
  CheatIndex = -1;
  CheatPosition = 0;
  for (int i = 0; i < kPhraseCount; ++i) {
    if (static_cast<unsigned char>(kPhrases[i][0]) == ch) {
      CheatIndex = i;
      CheatPosition = 0;
      break;
    }
  }
  return 0;
}

void Title::Create() {
  auto screen = std::make_unique<Title>();
  screen->letters = StartLetters();
  if (NoProfileChosen) {
    TitleState = kTitleNameEntry;
  } else {
    LoadQuestsOrEnd();
    CreateMainMenu();
    TitleState = kTitleMainMenu;
  }
  QuestPanelFade = Interpolation::Create(0.0f);
  TitleFade = Interpolation::Create(0.0f);
  TitleFade.SetTargetIn(1.0f, 50);
  FadeTintTo(255.0f, 50);
  TitleMusicFade = Interpolation::Create(0.0f);
  TitleMusicFade.SetTargetIn(0.5f, 100);
  AudioList::PlayMusic(kTitleMusic, 0.0f, static_cast<float>(TitleMusicFade.Value()));
  CurrentScreen.Replace(std::move(screen));
}

int Title::LoadQuests(const std::string& path) {
  if (FileTypeOf(path) != 1) return 0;
  std::unique_ptr<xmlNode> root = xmlNode::Load(path);
  if (!root) return 0;
  TitleQuests.clear();
  for (const auto& child : root->children) {
    const std::string* id = Attr(child.get(), "id");
    const std::string* name = Attr(child.get(), "name");
    const std::string* filename = Attr(child.get(), "filename");
    const std::string* image = Attr(child.get(), "image");
    const std::string* info = Attr(child.get(), "info");
    if (!id || !name || !filename || !image || !info) return 0;
    TitleQuest q;
    q.id = TextToInt(*id);
    q.name = *name;
    q.filename = *filename;
    q.image = TextToInt(*image);
    q.info = *info;
    if (const ProfileQuest* pq = Profile::FindQuest(q.id)) {
      if (pq->totalTokens != 0) {
        q.percentComplete = TruncToInt(static_cast<double>(pq->tokens) / pq->totalTokens * 100.0);
      }
    }
    if (const std::string* secret = Attr(child.get(), "secret")) {
      q.secret = TextToInt(*secret);
      q.available = Profile::OwnsSecret(q.secret) ? 1 : 0;
    }
    TitleQuests.push_back(std::move(q));
  }
  return 1;
}

void Title::CreateMainMenu() {
  if (MessageList::IsActive()) {
    DeferredCloseCallback = MessageOnClose;
    MessageOnClose = Title::CreateMainMenu;
    return;
  }
  if (DeferredCloseCallback) {
    Callback call = DeferredCloseCallback;
    DeferredCloseCallback = nullptr;
    call();
  }
  GUI::Clear();
  PlayButton = ClickButton::CreateWithCaption(280, 320, "Play", Title::ShowQuests);
  OptionsButton = ClickButton::CreateWithCaption(300, 400, "Options", Title::OpenOptions);
  QuitButton = ClickButton::CreateWithCaption(320, 480, "Quit", Title::QuitGame);
  ChangeProfileButton = TextButton::Create(622, 488, "Change Profile", Title::CreateProfileMenu);
  for (ButtonBase* b : {static_cast<ButtonBase*>(PlayButton.get()), static_cast<ButtonBase*>(OptionsButton.get()),
                        static_cast<ButtonBase*>(QuitButton.get()),
                        static_cast<ButtonBase*>(ChangeProfileButton.get())}) {
    b->tinted = 1;
    FadeInControl(b->alpha, 50);
  }
  GUI::Add(PlayButton);
  GUI::Add(OptionsButton);
  GUI::Add(QuitButton);
  GUI::Add(ChangeProfileButton);
}

void Title::ShowQuests() {
  TitleState = kTitleQuestList;
  QuestPanelFade.SetTargetIn(1.0f, 40);
  for (ClickButton* b : {PlayButton.get(), OptionsButton.get(), QuitButton.get()}) {
    if (b) b->alpha.SetTargetIn(0.0f, 1);
  }
  // The positions grow before each quest, so the first button is one step
  // below the starting point and "Menu" one step below the last.
  int qx = 324, qy = 220;
  for (TitleQuest& q : TitleQuests) {
    qx += 20;
    qy += 76;
    q.button = q.available ? ClickButton::Create(qx, qy, q.image + 16, Title::StartQuest)
                           : ClickButton::Create(qx, qy, 2024, Title::LockedQuestClicked);
    q.button->solidBlend = 1;
    FadeInControl(q.button->alpha, 40);
    q.button->tinted = 1;
    GUI::Add(q.button);
  }
  QuestMenuButton = ClickButton::CreateWithCaption(qx + 20, qy + 76, "Menu", Title::QuestsBack);
  FadeInControl(QuestMenuButton->alpha, 40);
  QuestMenuButton->tinted = 1;
  GUI::Add(QuestMenuButton);
}

void Title::StartQuest() {
  for (TitleQuest& q : TitleQuests) {
    if (q.button && q.button->IsPointerOver()) {
      Profile::SelectQuest(q.id);
      CurrentQuestName = q.name;
      CurrentQuestFile = q.filename;
      CurrentQuestImage = q.image;
      break;
    }
  }
  FadeOutToLeave();
}

void Title::LockedQuestClicked() {
  for (TitleQuest& q : TitleQuests) {
    if (q.button && q.button->IsPointerOver()) {
      q.button->enabled = 1;
      return;
    }
  }
}

void Title::QuestsBack() {
  CreateMainMenu();
  TitleState = kTitleMainMenu;
}

void Title::BackToMenu() {
  CreateMainMenu();
  TitleState = kTitleMainMenu;
}

void Title::OpenOptions() {
  for (ClickButton* b : {PlayButton.get(), OptionsButton.get(), QuitButton.get()}) {
    if (b) b->alpha.SetTargetIn(0.0f, 20);
  }
  Options::Open(Title::CreateMainMenu);
}

void Title::QuitGame() {
  TitleState = kTitleLeaving;
  FadeOutToLeave();
}

void Title::CreateProfileMenu() {
  GUI::Clear();
  TitleState = kTitleProfileList;
  ProfileNameInput.clear();
  NameEntryNotice.clear();
  ProfileNames.clear();
  if (FolderListing* listing = OpenFolderListing(GameFolder + "/Profiles")) {
    for (std::string entry = NextFolderEntry(listing); !entry.empty();
         entry = NextFolderEntry(listing)) {
      // Only files the game would load under that name count as profiles.
      std::string name = ProfileNameOfFile(entry);
      if (!name.empty()) ProfileNames.push_back(name);
    }
    CloseFolderListing(listing);
  }
  for (size_t k = 0; k < ProfileNames.size(); ++k) {
    auto b = TextButton::Create(224, 196 + 28 * static_cast<int>(k), ProfileNames[k],
                                Title::ChooseProfile);
    b->tinted = 1;
    GUI::Add(b);
  }
  auto newButton = Button::CreateWithCaption(316, 396, "New", Title::NewProfile);
  newButton->tinted = 1;
  if (ProfileNames.size() >= static_cast<size_t>(kMaxProfilesForNew)) newButton->enabled = 0;
  auto back = Button::CreateWithCaption(484, 396, "Back", Title::BackToMenu);
  back->tinted = 1;
  GUI::Add(newButton);
  GUI::Add(back);
}

// The row under the pointer decides, not the text button that reported the
// click: row k covers y from 196 + 28k to 223 + 28k.
void Title::ChooseProfile() {
  if (ProfileNames.empty()) return;
  int k = (PointerY - 196) / 28;
  if (k > static_cast<int>(ProfileNames.size()) - 1) k = static_cast<int>(ProfileNames.size()) - 1;
  if (k < 0) k = 0;
  Profile::LoadProfile(ProfileNames[k]);
  LoadQuestsOrEnd();
  CreateMainMenu();
  TitleState = kTitleMainMenu;
}

void Title::NewProfile() {
  GUI::Clear();
  TitleState = kTitleNameEntry;
  NameEntryNotice.clear();
}

void Title::Suspend() { AudioList::PauseSound(kTitleMusic); }
void Title::Resume() { AudioList::ResumeSound(kTitleMusic); }

void Title::HandlePhrase(int phrase) {
  switch (phrase) {
    case 1:
      endingRequested = 1;
      TitleState = kTitleLeaving;
      FadeOutToLeave();
      break;
    case 2:
      for (int& s : Profile::Secrets) s = 1;
      for (TitleQuest& q : TitleQuests) {
        if (!q.available && q.secret <= 32) q.available = 1;
      }
      AudioList::PlaySound(kSecretSound, 0.0f, 1.0f);
      break;
    case 3:
      Profile::SpeedLevel = 9;
      AudioList::PlaySound(kSecretSound, 0.0f, 1.0f);
      break;
    case 4:
      Profile::RangeLevel = 9;
      AudioList::PlaySound(kSecretSound, 0.0f, 1.0f);
      break;
    case 5:
      Profile::SpendableTokens += 50;
      Profile::TotalTokens += 50;
      AudioList::PlaySound(kSecretSound, 0.0f, 1.0f);
      break;
    default:
      break;
  }
}

void Title::HandleEscape() {
  if (!IsKeyDown(kKeyEscape)) {
    escapeLatch = 0;
    return;
  }
  if (escapeLatch) return;
  escapeLatch = 1;
  if (TitleState == kTitleQuestList) {
    QuestsBack();
  } else if (Options::IsOpen()) {
    Options::Close();
  } else if (TitleState == kTitleNameEntry && !Profile::ProfileName.empty()) {
    BackToMenu();
  } else {
    QuitGame();
  }
}

// Enter makes the profile; Backspace drops a character; any other character
// is taken while the name is shorter than 48 and would still be a name the
// game can keep, otherwise the player is told why not.
void Title::HandleNameEntry(int ch) {
  if (ch == 13 || ch == 10) {
    if (ProfileNameInput.empty()) return;
    const std::string problem = ProfileNameProblem(ProfileNameInput);
    if (!problem.empty()) {
      NameEntryNotice = "This name cannot be used: it " + problem + ".";
      return;
    }
    // A new profile of an existing name would replace that player's progress.
    if (FileTypeOf(Profile::FilePath(ProfileNameInput)) != 0) {
      NameEntryNotice = "There is a profile of that name already.";
      return;
    }
    Profile::ResetProfile(ProfileNameInput);
    Profile::SaveProfile();
    LoadQuestsOrEnd();
    CreateMainMenu();
    TitleState = kTitleMainMenu;
    NameEntryNotice.clear();
    return;
  }
  if (ch == 8) {
    if (!ProfileNameInput.empty()) ProfileNameInput.pop_back();
    NameEntryNotice.clear();
    return;
  }
  if (static_cast<int>(ProfileNameInput.size()) >= kMaxNameInput) return;
  const std::string longer = ProfileNameInput + static_cast<char>(ch);
  const std::string problem = ProfileNameProblem(longer);
  if (!problem.empty()) {
    NameEntryNotice = "Not taken: a name that " + problem + " cannot be saved.";
    return;
  }
  ProfileNameInput = longer;
  NameEntryNotice.clear();
}

void Title::Update(float dt) {
  if (AppActive != 1) return;
  const int ch = NextTypedChar();
  if (int phrase = MatchPhrase(ch)) HandlePhrase(phrase);
  HandleEscape();
  UpdateLetters(letters, dt);

  if (TitleCountdown > 0) {
    TitleCountdown -= dt;
    if (TitleCountdown <= 0) {
      AudioList::StopSound(kTitleMusic);
      if (TitleState == kTitleLeaving) {
        if (endingRequested) {
          Credits::Create();
        } else {
          AppRunning = 0;
        }
      } else if (TitleState == kTitleQuestList) {
        Quest::Create();
      }
      return;
    }
  }

  if (TitleState == kTitleQuestList) {
    for (TitleQuest& q : TitleQuests) {
      if (q.button && q.button->IsPointerOver()) {
        q.infoAlpha.SetTargetIn(1.0f, 20);
      } else {
        q.infoAlpha.SetTargetIn(0.0f, 10);
      }
      q.infoAlpha.Update(dt);
    }
  }
  TitleFade.Update(dt);
  QuestPanelFade.Update(dt);
  TitleMusicFade.Update(dt);
  AudioList::AdjustSound(kTitleMusic, static_cast<float>(TitleMusicFade.Value()), 0.0f);

  GUI::UpdateAll(dt);
  ParticleList::UpdateAll(dt);
  if (Options::IsOpen()) {
    Options::Update(dt);
  } else {
    MessageList::Update(dt);
  }
  AddPointerSparkles(&sparkleTimer, dt);
  if (TitleState == kTitleNameEntry && ch != 0) HandleNameEntry(ch);
}

void Title::DrawQuestList() const {
  const std::string heading = "Please select a quest!";
  FontList::UseFont(7);
  SetDrawScale(1.0f, 1.0f);
  const int w = TextWidthOf(heading), h = TextHeightOf(heading);
  DrawFramedBox(180, 64, w + 48, h + 48, 0.75f, 1);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(1.0f);
  FontList::UseFont(7);
  DrawTextAt(heading, 204.0f, 88.0f);
  for (const TitleQuest& q : TitleQuests) {
    if (!q.button) continue;
    const int bx = q.button->x, by = q.button->y;
    DrawPanelAt("", IntToText(q.percentComplete) + "% complete", 1.0f, bx - 212, by - 24, 0, 1);
    float f = q.percentComplete / 100.0f;
    if (f > 0.0f && f < 0.15f) f = 0.15f;
    SetBlendMode(kBlendAlpha);
    SetDrawAlpha(1.0f);
    for (int pass = 0; pass < 2; ++pass) {
      if (pass == 0) {
        SetDrawColour(0, 0, 0);
        SetDrawScale(1.1f, 1.1f);
      } else {
        ApplyTint(1.0);
        SetDrawScale(1.0f, 1.0f);
        SetViewportRect(bx - 186, by + 16, TruncToInt(f * 110.0f), 32);
      }
      for (int i = 0; i < 4; ++i) ImageList::DrawImage(3056 + i, bx - 170 + 32 * i, by + 32);
    }
    SetViewportRect(0, 0, ScreenWidth, ScreenHeight);
    SetDrawScale(1.0f, 1.0f);
    if (q.infoAlpha.Value() > 0.01) {
      const float a = static_cast<float>(q.infoAlpha.Value());
      if (q.available) {
        DrawPanelAt(q.name, q.info, a, 476, 182, 0, 1);
      } else {
        DrawPanelAt("", "Quest is locked", a, bx + 200, by - 24, 0, 1);
      }
    }
  }
}

void Title::DrawNameEntry() const {
  const std::string title = "Please enter your name:";
  std::string text = ProfileNameInput;
  if (text.empty()) {
    text = "     ";
  } else if (text.size() == 1) {
    text += " ";
  }
  const float alpha = static_cast<float>(TitleFade.Value() * 0.8);
  DrawPanelAt(title, text, alpha, 0, 0, 0, 1);
  const int pw = PanelWidth(title, text), ph = PanelHeight(title, text);
  FontList::UseFont(kLargeBodyFont);
  const int nameWidth = TextWidthOf(ProfileNameInput);
  FontList::UseFont(kLargeTitleFont);
  const int titleHeight = TextHeightOf(title);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(alpha);
  SetBlendMode(kBlendAlpha);
  SetDrawScale(1.0f, 1.0f);
  if (std::fmod(ActiveTime, 64.0f) >= 32.0f) {
    DrawRectAt(static_cast<float>((ScreenWidth - pw) / 2 + 24 + nameWidth),
               static_cast<float>(TruncToInt(titleHeight * 1.5 + (ScreenHeight - ph) / 2 + 24 + 6)),
               2.0f, 20.0f);
  }
  if (!NameEntryNotice.empty()) {
    FontList::UseFont(kSmallBodyFont);
    const int w = TextWidthOf(NameEntryNotice);
    DrawSmallPanelAt("", NameEntryNotice, alpha, (ScreenWidth - w - 48) / 2,
                     (ScreenHeight + ph) / 2 + 8, 0, 1);
  }
}

void Title::Draw() {
  if (AppActive != 1) return;
  ApplyTint(TitleState == kTitleQuestList ? 1.0 - QuestPanelFade.Value() / 2 : 1.0);
  SetBlendMode(kBlendSolid);
  SetDrawScale(1.0f, 1.0f);
  ImageList::DrawImage(kTitleBackdropImage, ScreenWidth / 2, ScreenHeight / 2);

  const float panelAlpha = static_cast<float>(TitleFade.Value() * 0.8);
  const std::string mark(1, kCentreMark);
  if (TitleState == kTitleNameEntry) {
    DrawSmallPanelAt("", mark + "Quillmoor|" + mark + "Fleecewick v" + kVersion, panelAlpha, 604,
                     508, 192, 1);
  } else {
    DrawSmallPanelAt("",
                     "Welcome, " + Profile::ProfileName + "|||" + mark + "Quillmoor|" + mark +
                         "Fleecewick v" + kVersion,
                     panelAlpha, 604, 444, 192, 1);
  }

  ApplyTint(1.0);
  SetBlendMode(kBlendAlpha);
  SetDrawScale(1.0f, 1.0f);
  SetDrawAlpha(TitleState == kTitleQuestList ? static_cast<float>(1.0 - QuestPanelFade.Value())
                                             : 1.0f);
  for (const Letter& l : letters) {
    ImageList::DrawImage(l.imageId, l.x, TruncToInt(l.y + l.yOffset));
  }

  if (TitleState == kTitleQuestList) DrawQuestList();
  if (TitleState == kTitleNameEntry) DrawNameEntry();
  if (TitleState == kTitleProfileList) {
    DrawPanelAt("Available profiles:", "|||||||||", panelAlpha, 200, 128, 400, 1);
  }

  if (Options::IsOpen()) {
    Options::Draw();
  } else {
    MessageList::Draw();
  }
  GUI::DrawAll();

  if (KeyCaptureRequested == 0) {
    ParticleList::DrawAll();
    SetDrawColour(255, 255, 255);
    SetBlendMode(kBlendAlpha);
    SetDrawAlpha(1.0f);
    SetDrawScale(1.0f, 1.0f);
    ImageList::DrawImage(kPointerImage, PointerX + 6, PointerY + 6);
  }
}

void Title::Reset() {
  TitleState = kTitleMainMenu;
  TitleCountdown = 0;
  TitleFade = QuestPanelFade = TitleMusicFade = Interpolation::Create(0.0f);
  PlayButton = OptionsButton = QuitButton = QuestMenuButton = nullptr;
  ChangeProfileButton = nullptr;
  TitleQuests.clear();
  ProfileNameInput.clear();
  ProfileNames.clear();
  DeferredCloseCallback = nullptr;
  CheatIndex = -1;
  CheatPosition = 0;
  NameEntryNotice.clear();
}
