// A loadable library that is not an in-process server: it exports no
// DllGetClassObject.
extern "C" __attribute__((visibility("default"))) int NotAClassServer()
{
    return 0;
}
