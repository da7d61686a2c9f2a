#pragma once

#include "PictureStage.h"

#include <QList>
#include <QString>

#include <functional>

// The screens and sheets the picture program renders, one scene a function.
// Every scene runs once per language on a fresh PictureStage: it opens the
// window over the fakes, seeds a real state and shoots its pictures. A new
// screen adds its function to PictureScenes.cpp and a row to scenes().
struct PictureScene {
    QString name;
    std::function<void(PictureStage& stage)> run;
};

namespace PictureScenes {

const QList<PictureScene>& scenes();

// Runs every scene in every language, handing each picture to the handler.
void runAll(const PictureStage::ShotHandler& handler);

} // namespace PictureScenes
