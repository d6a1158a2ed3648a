// The picture groups of the world generator; each writes its pictures under
// the data folder `dir`, and each runs as its own build step.
#pragma once

#include <string>

namespace world {

void DrawInterface(const std::string& dir);
void DrawMarkers(const std::string& dir);
void DrawScenery(const std::string& dir);
void DrawDecorations(const std::string& dir);
void DrawBackdrops(const std::string& dir);
void DrawTitleLetters(const std::string& dir);
// One quest map and its button; `layoutPath` is the map layout file and
// `name` its map's entry in it.
void DrawQuestMap(const std::string& dir, const std::string& layoutPath, const std::string& name);
void DrawMapExtras(const std::string& dir);

}  // namespace world
