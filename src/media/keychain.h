#pragma once

// The person's stored passwords, asked for one generic password item by its
// service name. The system's keychain is the Secret Service (GNOME Keyring,
// KWallet) reached through QtKeychain; tests give their own.
//
// How an item lives in the Secret Service: QtKeychain names every entry by a
// service and a key. The item of service S is the pair of entries
//   service S, key "password": the item's password;
//   service S, key "account":  the item's account attribute.
// For the Flickr source, S is "flickr_api": the password is the shared
// secret, the account the API key. With secret-tool (libsecret's schema of
// QtKeychain):
//   secret-tool store --label=flickr_api server flickr_api user password type plaintext
//   secret-tool store --label=flickr_api server flickr_api user account type plaintext

#include <QByteArray>
#include <QString>

class Keychain
{
public:
    virtual ~Keychain();

    // Status 0 is success; any other value is the keychain's error code
    // (QKeychain::Error for the Secret Service).
    struct Result
    {
        int status = 0;
        QByteArray data;
    };

    // The password of the item of `service`.
    virtual Result findGenericPassword(const QString& service) = 0;
    // The account attribute of the item of `service`.
    virtual Result account(const QString& service) = 0;

    // The keychain of the desktop session.
    static Keychain& system();
};

// The Secret Service through QtKeychain. Each read waits for the service in a
// local event loop (bounded by a time-out), so the window keeps drawing.
class SecretServiceKeychain : public Keychain
{
public:
    Result findGenericPassword(const QString& service) override;
    Result account(const QString& service) override;

    // A wait longer than this counts as failure (QKeychain::OtherError).
    static constexpr int kTimeoutMs = 10000;

private:
    static Result read(const QString& service, const QString& key);
};
