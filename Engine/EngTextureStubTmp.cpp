#include "Engine/EngMemory.h"
#include "Engine/EngTextureGL.h"
void EngTextureGL::ReplacePixels(unsigned char *p, char) { if (m_pixels) EngFree(m_pixels, 0, ""); m_pixels = p; }
char EngTextureGL::LoadFromFile(const char *, char, char, char) { return 0; }
char EngTextureGL::LoadFromFileAndShrinkToHalfSize(const char *, char, char, char) { return 0; }
char EngTextureGL::LoadFromTgaData(EngTga *, char, char, char) { return 0; }
char EngTextureGL::LoadFromFileToMemory(const char *, char, char, char, EngTga *) { return 0; }
char EngTextureGL::UpscaleImageDataInMemoryToNearestPowerOfTwo(char) { return 0; }
char EngTextureGL::InvertImageDataInMemory() { return 0; }
