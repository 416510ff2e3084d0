#pragma once
// The texture archive commands of cleatwork-cli: listing, exporting, converting and replacing
// entries.
#include <string>
#include <vector>

namespace TextureCommands {

extern const char *const kTexturesHelp;
extern const char *const kTextureHelp;
extern const char *const kReplaceTextureHelp;

/// textures FILE [--export DIR]
int textures(const std::vector<std::string> &args);
/// texture FILE N OUT
int texture(const std::vector<std::string> &args);
/// replace-texture FILE N IMAGE
int replaceTexture(const std::vector<std::string> &args);

} // namespace TextureCommands
