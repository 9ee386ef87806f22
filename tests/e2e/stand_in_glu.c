/* A libGLU.so.1 that loads but offers none of the functions the saver draws with: only
   gluErrorString, so that the loader finds a library and the saver must notice what it
   lacks. Used by the test of a start without GLU. */
const unsigned char* gluErrorString(unsigned int error) {  // NOLINT: GLU's own name
  static const unsigned char text[] = "stand-in";
  (void)error;
  return text;
}
