// The game's animations.  Identifiers 100-110, 500-510 and 800-810 are the
// three sheep breeds (same structure, their own frames and paces), 200-206 the
// wolf, 300-305 the dog, 400-401 the eagle, 700-704 the bandit, 3000-3003 the
// quest map and its animated buttons, and 0 a still quest-map image.
#include <initializer_list>

#include "data/animation_list.h"

namespace {

// Consecutive image identifiers first..last; a single image converts to a run
// of one.
struct Run {
  Run(int image) : first(image), last(image) {}
  Run(int firstImage, int lastImage) : first(firstImage), last(lastImage) {}
  int first;
  int last;
};

Run Span(int first, int last) { return Run(first, last); }

// Appends every image of the runs, in order, each shown for `ticks` ticks.
void Frames(int animId, std::initializer_list<Run> runs, int ticks) {
  for (const Run& run : runs) {
    for (int image = run.first; image <= run.last; ++image) {
      AnimationList::AddFrame(animId, image, ticks);
    }
  }
}

void Loop(int animId) { AnimationList::SetLooping(animId, 1); }

void SheepBreed100() {
  Frames(100, {100}, 100);
  Loop(100);
  Frames(101, {Span(100, 103)}, 15);
  Loop(101);
  Frames(107, {Span(100, 103)}, 9);
  Loop(107);
  Frames(102, {131, 130, 123, 122, 121}, 8);
  Frames(103, {135, 134, 127, 126, 125}, 8);
  Frames(104, {104, 105}, 20);
  Frames(104, {106}, 40);
  Frames(104, {107, 114}, 20);
  Frames(104, {115}, 40);
  Frames(104, {116}, 25);
  Frames(105, {Span(160, 163), Span(170, 173), 172, 173, 172, 173}, 20);
  Frames(106, {Span(164, 167), Span(174, 176)}, 15);
  Frames(106, {177}, 20);
  Frames(108, {Span(154, 157), 156, 155, 154}, 15);
  Frames(109, {156, 157}, 15);
  Loop(109);
  Frames(110, {Span(180, 183), Span(190, 193)}, 15);
}

void SheepBreed500() {
  Frames(500, {500}, 100);
  Loop(500);
  Frames(501, {Span(500, 503)}, 13);
  Loop(501);
  Frames(507, {Span(500, 503)}, 9);
  Loop(507);
  Frames(502, {537, 536, 527, 526, 525}, 7);
  Frames(503, {541, 540, 531, 530, 529}, 7);
  Frames(504, {504, 505}, 20);
  Frames(504, {506}, 40);
  Frames(504, {507, 516}, 20);
  Frames(504, {517}, 40);
  Frames(504, {518}, 25);
  Frames(505, {Span(572, 575), Span(584, 587), 586, 587, 586, 587}, 20);
  Frames(506, {Span(576, 579), Span(588, 590)}, 15);
  Frames(506, {591}, 20);
  Frames(508, {Span(564, 567), 566, 565, 564}, 15);
  Frames(509, {566, 567}, 15);
  Loop(509);
  Frames(510, {Span(596, 599), Span(608, 611)}, 15);
}

void SheepBreed800() {
  Frames(800, {800}, 100);
  Loop(800);
  Frames(801, {Span(800, 803)}, 17);
  Loop(801);
  Frames(807, {Span(800, 803)}, 9);
  Loop(807);
  Frames(802, {831, 830, 823, 822, 821}, 9);
  Frames(803, {835, 834, 827, 826, 825}, 9);
  Frames(804, {804, 805}, 20);
  Frames(804, {806}, 40);
  Frames(804, {807, 814}, 20);
  Frames(804, {815}, 40);
  Frames(804, {816}, 25);
  Frames(805, {Span(860, 863), Span(870, 873), 872, 873, 872, 873}, 20);
  Frames(806, {Span(864, 867), Span(874, 876)}, 15);
  Frames(806, {877}, 20);
  Frames(808, {Span(854, 857), 856, 855, 854}, 15);
  Frames(809, {856, 857}, 15);
  Loop(809);
  Frames(810, {Span(880, 883), Span(890, 893)}, 15);
}

void Dog() {
  Frames(300, {325}, 100);
  Loop(300);
  Frames(301, {307, 306, 301, 300}, 9);
  Loop(301);
  Frames(302, {Span(312, 316)}, 8);
  Frames(303, {322}, 7);
  Frames(303, {321}, 8);
  Frames(303, {320}, 10);
  Frames(303, {319}, 8);
  Frames(303, {318}, 7);
  Frames(304, {303, 302, 309, 308, 303, 302, 309, 308, 303}, 20);
  Frames(305, {325}, 10);
  Frames(305, {324}, 12);
  Frames(305, {331}, 10);
  Frames(305, {330}, 12);
}

void Wolf() {
  Frames(200, {204}, 100);
  Loop(200);
  Frames(201, {208, 207, 203, 202}, 15);
  Loop(201);
  Frames(202, {Span(210, 214)}, 8);
  Frames(203, {219}, 7);
  Frames(203, {218}, 8);
  Frames(203, {217}, 10);
  Frames(203, {216}, 8);
  Frames(203, {215}, 7);
  Frames(205, {201, 200}, 10);
  Frames(205, {205, 206, 205, 206, 205}, 15);
  Frames(206, {224}, 12);
  Frames(206, {223}, 15);
  Frames(206, {229}, 25);
  Frames(206, {223}, 15);
  Frames(206, {224}, 12);
}

void Eagle() {
  Frames(400, {Span(400, 402), Span(406, 408), 407, 406, 402, 401}, 20);
  Loop(400);
  Frames(401, {Span(412, 415)}, 15);
  Loop(401);
}

void Bandit() {
  Frames(700, {704}, 100);
  Loop(700);
  Frames(701, {Span(712, 715), Span(718, 721)}, 12);
  Loop(701);
  Frames(702, {700, 701}, 4);
  Frames(702, {702}, 5);
  Frames(702, {703}, 6);
  Frames(702, {706}, 8);
  Frames(702, {707}, 14);
  Frames(702, {706, 703}, 5);
  Frames(702, {702, 701}, 4);
  Frames(703, {Span(708, 710)}, 10);
  Frames(703, {711}, 30);
  Frames(704, {Span(724, 727), Span(730, 733)}, 17);
  Loop(704);
}

void QuestMap() {
  Frames(3000, {Span(3009, 3011)}, 18);
  Loop(3000);
  Frames(3001, {Span(3003, 3005)}, 20);
  Loop(3001);
  Frames(3002, {Span(3000, 3002)}, 20);
  Loop(3002);
  Frames(3003, {Span(3024, 3026)}, 20);
  Loop(3003);
  Frames(0, {3018, 3018, 3018}, 20);
  Loop(0);
}

}  // namespace

void BuildGameAnimations() {
  SheepBreed100();
  SheepBreed500();
  SheepBreed800();
  Dog();
  Wolf();
  Eagle();
  Bandit();
  QuestMap();
}
