// Media files for the file dialog tests, written into a scratch folder: the
// committed samples under the names their codecs answer to, and made-to-measure
// images and camera sets.
#pragma once
#include "io/model/model.h"
#include "tests/support/scratch.h"

#include <initializer_list>
#include <string>

namespace tovan::test {

std::string ReadDataFile(const std::string& relative);  // "" when missing

// "tree.cBsp", "walk.cAnim", "path.cCamera", "tri.cModel", "skinned.cModel"
// from the committed samples; returns the file's path.
std::string CopySample(const ScratchFolder& folder, const std::string& data, const std::string& name);
// A 24-bit BMP of width x height, grey levels by column.
std::string WriteBmp(const ScratchFolder& folder, const std::string& name, int width, int height);
// An image of any shape in any format the extension's codec writes (zero bytes).
std::string WriteImage(const ScratchFolder& folder, const std::string& name, int format, int width, int height,
                       int depth, int mips);
// The native model file of a model built in memory.
std::string EncodeModel(const cModel& model);
// A camera set with one track per key count, at the frame rate.
std::string WriteCameraSet(const ScratchFolder& folder, const std::string& name, int frameRate,
                           std::initializer_list<int> keyCounts);
// A native animation with `frames` frames of two joints, all at one point.
std::string WritePointAnim(const ScratchFolder& folder, const std::string& name, int frames);

}  // namespace tovan::test
