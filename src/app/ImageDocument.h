// A radio memory image file (8192 bytes, as a backup keeps it) opened as a document: it is
// decoded over the New template, as a read from the radio decodes what it received, and the
// result is the untitled document "new.dat", so that Save asks for a name and never writes a
// data file over the image.
#pragma once

#include "link/RadioImage.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QString>
#include <optional>

namespace zx::app {

// True when the file at `path` has the size of a radio memory image.
bool isRadioImageFile(const QString& path);

// The image in the file; nullopt (with the file error shown) when it cannot be read whole.
std::optional<link::RadioImage> readRadioImage(const QString& path, const model::Workspace& ws,
                                               text::Prompter& prompter);
// Replaces the document by the image's configuration.
void adoptRadioImage(model::Workspace& ws, const link::RadioImage& image);

} // namespace zx::app
