#pragma once
// The scene pictures one by one (500x460 each), for DrawScenePictures and for the event
// pictures that reuse a place as their background.

#include <QImage>

namespace velmora::demo {

// Outdoors.
QImage HeroineHomeScene();
QImage ParkScene();
QImage StoreScene();
QImage TownScene();
QImage StationScene();
QImage RiversideScene();
// Indoors, and the photo game's table.
QImage HomeScene();
QImage SupermarketScene();
QImage CafeScene();
QImage NightScene();
QImage PhotoScene();

}  // namespace velmora::demo
