#pragma once

#include <stdexcept>
#include <string>

// The engine reports every failure as an exception of one of these classes, each carrying
// the formatted message the player sees in the error box.
namespace engine {

class EEngineError : public std::runtime_error {
 public:
  explicit EEngineError(const std::string& message) : std::runtime_error(message) {}
};

#define PEROLET_ENGINE_ERROR(Name)                                       \
  class Name : public EEngineError {                                     \
   public:                                                               \
    explicit Name(const std::string& message) : EEngineError(message) {} \
  }

PEROLET_ENGINE_ERROR(ESpriteError);
PEROLET_ENGINE_ERROR(EPictureCollectionError);
PEROLET_ENGINE_ERROR(EWaveCollectionError);
PEROLET_ENGINE_ERROR(EDXDrawError);
PEROLET_ENGINE_ERROR(EDXInputError);
PEROLET_ENGINE_ERROR(EDXSoundError);
PEROLET_ENGINE_ERROR(EDirectSoundError);
PEROLET_ENGINE_ERROR(EDirectSoundBufferError);
PEROLET_ENGINE_ERROR(EWaveStreamError);
// File errors, with the messages the framework gives them.
PEROLET_ENGINE_ERROR(EInOutError);
// Resource streams that are not what they claim to be.
PEROLET_ENGINE_ERROR(EReadError);
// Pictures whose bytes do not decode.
PEROLET_ENGINE_ERROR(EInvalidGraphic);

#undef PEROLET_ENGINE_ERROR

// printf-style formatting for the messages above.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace engine
