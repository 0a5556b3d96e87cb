#pragma once

#include "core/ports/UpdateFramework.h"

// The update framework's own error codes, in updateFrameworkErrorDomain.
enum class UpdateErrorCode
{
    insecureAddress = 1,
    malformedFeed = 2,
    signatureInvalid = 3,
    lengthMismatch = 4,
    downgrade = 5,
    invalidPublicKey = 6,
    downloadFailed = 7,
    installationFailed = 8,
    feedSignatureInvalid = 9,
    tooLarge = 10,
};

inline UpdateError frameworkError(UpdateErrorCode code, const QString& description)
{
    return UpdateError{updateFrameworkErrorDomain, static_cast<int>(code), description};
}
