#version 120
// Nine taps along uStep, weighted 1 2 3 4 5 4 3 2 1, of what lies above
// uThreshold in the image, doubled: one direction of a glow.
uniform sampler2D uImage;
uniform vec2 uStep;
uniform float uThreshold;
void main() {
    vec2 st = gl_TexCoord[0].st;
    vec4 sum = vec4(0.0);
    for (int i = -4; i <= 4; ++i) {
        vec4 texel = texture2D(uImage, st + float(i) * uStep);
        sum += max(texel - vec4(uThreshold), vec4(0.0)) * (5.0 - abs(float(i)));
    }
    gl_FragColor = vec4((sum / 25.0 * 2.0).rgb, 1.0);
}
