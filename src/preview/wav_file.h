#pragma once

#include "preview/offline_render.h"

#include <QByteArray>
#include <QString>

// The sound as the bytes of a WAV file (two channels of 24-bit PCM), encoded by libsndfile;
// empty, with libsndfile's reason in problem, when it refuses.
QByteArray EncodeWav(const StereoSound& sound, QString& problem);
