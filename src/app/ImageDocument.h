// A radio memory image file (8192 bytes, as a backup keeps it) opened as a document: it is
// decoded over the New template, as a read from the radio decodes what it received, and the
// result is the untitled document "new.dat", so that Save asks for a name and never writes a
// data file over the image.
#pragma once

#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QString>

namespace zx::app {

// True when the file at `path` has the size of a radio memory image.
bool isRadioImageFile(const QString& path);

// Replaces the document by the image's configuration. False (with the file error shown)
// when the file cannot be read whole; the document is then unchanged.
bool openRadioImage(model::Workspace& ws, const QString& path, text::Prompter& prompter);

} // namespace zx::app
