#pragma once
// Checks shared by every component's SaveToFile: the extension picks the
// format, and a name no format answers to is refused with the one message
// that names the supported extensions, leaving no file behind.

#include <functional>
#include <string>

namespace mivo::test {

// Saves through `save` under `stem` + .png, .PNG, .bmp, .svg and .pdf and
// checks each file's signature (and that the bitmaps have the size given),
// then .eps, .jpg and no extension, which must raise EMivoError and write
// nothing. Failures are reported with `what` in the message.
void ExpectSavesByExtension(const std::function<void(const std::string&)>& save, const std::string& stem,
                            int width, int height, const std::string& what);

// The vector copy (CopyToWMF) through `copy`: .svg and .pdf write SVG and
// PDF, .eps, .png and no extension raise EMivoError naming .svg and .pdf and
// write nothing.
void ExpectVectorCopyByExtension(const std::function<void(const std::string&)>& copy, const std::string& stem,
                                 const std::string& what);

// The message for a refused name ("picture file '<name>': unsupported ...").
std::string UnsupportedPictureMessage(const std::string& fileName, const std::string& ext, bool vectorOnly);

}  // namespace mivo::test
