#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The reversible scrambling that the suite applies to every user password it
// stores (column SENHA of USUARIO): a seed byte, then one byte per byte of the
// password, each written as two upper-case hexadecimal digits. It hides a
// password from a casual look; it is not encryption.
//
// Texts are UTF-8 in the program; the cipher works on the bytes of their
// Windows-1252 form (characters outside it become "?"), so "ç" gives the
// same cipher text as in the suite's other programs, and deciphered bytes are
// read back as Windows-1252. The byte 0 deciphers as 255 (ÿ) unless the cipher
// byte before it was 255: stored passwords were made that way, so it stays.

enum TActionType : std::uint8_t { atEncryption, atDecryption };

class TVexEncryption {
  public:
    TVexEncryption() = default;

    const std::string &Input() const { return input_; }
    void SetInput(std::string_view value) { input_ = value; }
    const std::string &Output() const { return output_; }
    void SetOutput(std::string_view value) { output_ = value; }
    const std::string &Key() const { return key_; }
    void SetKey(std::string_view value) { key_ = value; }
    TActionType Action() const { return action_; }
    void SetAction(TActionType value) { action_ = value; }

    // Output := Crypt(Input, Key, Action == atEncryption); an empty Input
    // gives an empty Output without enciphering anything. Raises what Crypt
    // raises, leaving Output as it was.
    void Execute();

    // Enciphers (with a seed drawn from randomBelow, random_source.h) or
    // deciphers. A cipher text with a character that is not a hexadecimal
    // digit where a digit is read, or with fewer than three characters,
    // raises ConversionError ("'…' is not a valid integer value"). An empty
    // key stands for the built-in key's first character.
    static std::string Crypt(std::string_view text, std::string_view key, bool encrypt);

  private:
    std::string input_;
    std::string output_;
    std::string key_;
    TActionType action_ = atEncryption;
};
