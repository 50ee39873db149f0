#version 120
// Passes the batch's texture coordinates on and places vertices as the
// engine's matrices do.
void main() {
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
