// The program's own texture type, in a folder named as one of the
// framework's: the framework's headers must never reach it.
#pragma once
struct ConsumerTexture {
    int width = 0;
};
