// Floating-point arithmetic for the object-format check to find: the probe library is compiled for the
// x87 unit, and the check must say so.
double MorvaneX87ProbeBlend(double a, double b, double weight) {
    return a * weight + b * (1.0 - weight);
}
