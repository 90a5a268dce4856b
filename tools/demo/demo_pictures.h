#pragma once
// The demo pictures screen by screen. Each painter adds its finished canvases to the
// collection under its slot's name; DrawDemoPictures then lays them out in file order.
// Masks are grey canvases; everything else is true colour.

#include <map>
#include <string>

#include <QImage>

namespace velmora::demo {

// Finished canvases by slot name.
using Art = std::map<std::string, QImage>;

// opening_logo, plain_backdrop.
void DrawOpeningPictures(Art& art);
// title_backdrop and title_buttons (needs nothing else).
void DrawTitlePictures(Art& art);
// page_button and window_picture.
void DrawFramePictures(Art& art);
// town_backdrop: the map and the status panel frame.
void DrawTownBackdrop(Art& art);
// town_sprites: confirmation box, its buttons, place labels, position marker.
void DrawTownSprites(Art& art);
// card_sheet.
void DrawCardSheet(Art& art);
// The eleven scene pictures (scene_home .. scene_night, scene_photo).
void DrawScenePictures(Art& art);
// mask_1..3, portrait_1..3, faces_1..3.
void DrawPortraitPictures(Art& art);
// cg_1 .. cg_8.
void DrawCgPictures(Art& art);
// album_backdrop, album_sheet, album_thumbnails; reads the CGs already in Art.
void DrawAlbumPictures(Art& art);

// The slot's canvas, or an error naming the slot when no painter made it.
const QImage& ArtFor(const Art& art, const std::string& name);

}  // namespace velmora::demo
