// The maker's addresses, in one place: the web site (the Help menu), the
// download page (announced by the new-version check), the version file
// that check asks for (host followed by path, no scheme) and the contact
// address. The domain is reserved and reaches nobody until the program has
// a web server of its own.
#pragma once

namespace lectora {

struct TProgramAddresses {
  const char* WebSite = "https://lectora.invalid/";
  const char* DownloadPage = "https://lectora.invalid/download/";
  const char* VersionFile = "lectora.invalid/version.txt";
  const char* EMail = "mailto:dev@lectora.invalid";
};

}  // namespace lectora
