// A library that loads but exports no add-in entry point.
extern "C" __attribute__((visibility("default"))) int tavrello_not_an_addin() { return 42; }
