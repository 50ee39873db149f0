// The window every drawing example opens, and the clean-up they share, so
// that each example's main reads: open the window, set up, run the frames,
// clean up.
//
//   int main() {
//       if (!OpenExampleWindow("Particle fountain", 640, 480)) return 1;
//       ...set-up...
//       RunMessageLoop(Frame, nullptr);  // Frame: update, then draw
//       ...clean-up of the example's own things...
//       CloseExampleWindow();
//   }
#pragma once

// Starts the framework (OvInitiation), opens the window "main" with the title
// and a client area of width x height pixels, 32 bits a pixel, centred on the
// screen, makes it the current one, loads the controls' font (the
// framework's own, 16 pixels) and limits frames to about 60 a second, sleeping
// between them. False, after printing why on standard error and shutting the
// framework down again, when the window cannot be made.
bool OpenExampleWindow(const char* title, int width, int height);

// Sets a pixel view of the whole window: (0, 0) at the top-left corner,
// (width, height) at the bottom-right.
void UseWindowView();

// Draws one line of controls (e.g. "Arrows move, Escape quits") in light grey
// in the controls' font, its top-left corner at (x, y) pixels; leaves the draw
// colour white. Nothing is drawn before OpenExampleWindow succeeded.
void DrawControls(const char* text, double x, double y);

// Releases the controls' font, clears the core's lists (textures, fonts,
// sockets, GUI, ...), destroys the window and shuts the framework down
// (OvClosure). Call it once, after the frame loop and after releasing what
// the example itself holds.
void CloseExampleWindow();
