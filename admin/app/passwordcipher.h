// The cipher of the remembered password: RC4 keyed with the MD5 digest of
// the program's fixed pass phrase. It hides the password from a casual look
// at the store file (which is also private to the user, mode 0600); it is
// no protection against someone who can run code as that user, and never
// was. RC4 is its own inverse, so one call enciphers and deciphers.
#pragma once

#include <QByteArray>

// `bytes` enciphered (or deciphered) with the RC4 stream keyed by `key`
// (not empty).
QByteArray Rc4Cipher(const QByteArray &key, const QByteArray &bytes);

// The remembered password's cipher: RC4 under MD5 of the pass phrase.
QByteArray CipherRememberedPassword(const QByteArray &bytes);
