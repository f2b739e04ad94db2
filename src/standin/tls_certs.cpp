#include "standin/tls_certs.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "net/endpoints.h"

namespace tarvelin::standin {

namespace {

// Every name the server answers for. A wildcard covers one label only, so each host is
// listed, plus wildcards for photo hosts that replies name with numbered prefixes.
std::string SubjectAltNames() {
  namespace e = endpoints;
  const char* hosts[] = {e::SpaceSiteHost,
                         e::SpaceUserHost,
                         e::ProxyHost,
                         e::RouteStoreHost,
                         e::GroupPhotoHost,
                         e::PhotoStoreHost,
                         e::ImageCacheHost,
                         e::PhotoPageHost,
                         e::ShortPhotoDomain,
                         e::SpacePhotoDomain,
                         e::CookieDomain,
                         e::MakerSite,
                         "*.qq.com",
                         "*.qzone.qq.com",
                         "*.store.qq.com",
                         "*.photo.store.qq.com",
                         "*.photo.qzone.qq.com",
                         "*.photo.qq.com",
                         "localhost"};
  std::string names;
  for (const char* host : hosts) {
    if (!names.empty()) names += ",";
    names += "DNS:";
    names += host;
  }
  return names + ",IP:127.0.0.1";
}

bool AddExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
  if (ext == nullptr) return false;
  const bool ok = X509_add_ext(cert, ext, -1) == 1;
  X509_EXTENSION_free(ext);
  return ok;
}

X509* MakeCert(EVP_PKEY* key, const char* commonName, X509* issuer, EVP_PKEY* issuerKey,
               const std::vector<std::pair<int, std::string>>& extensions) {
  X509* cert = X509_new();
  if (cert == nullptr) return nullptr;
  bool ok = X509_set_version(cert, 2) == 1;
  unsigned char serial[16];
  RAND_bytes(serial, sizeof serial);
  serial[0] &= 0x7F;
  BIGNUM* bn = BN_bin2bn(serial, sizeof serial, nullptr);
  ok = ok && bn != nullptr && BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(cert)) != nullptr;
  BN_free(bn);
  ok = ok && X509_gmtime_adj(X509_getm_notBefore(cert), -3600) != nullptr;
  ok = ok && X509_gmtime_adj(X509_getm_notAfter(cert), 30L * 24 * 3600) != nullptr;
  X509_NAME* name = X509_get_subject_name(cert);
  ok = ok && X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                                        reinterpret_cast<const unsigned char*>("Tarvelin stand-in"),
                                        -1, -1, 0);
  ok = ok &&
       X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                  reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  X509* signer = issuer != nullptr ? issuer : cert;
  ok = ok && X509_set_issuer_name(cert, X509_get_subject_name(signer)) == 1;
  ok = ok && X509_set_pubkey(cert, key) == 1;
  for (const auto& [nid, value] : extensions) ok = ok && AddExtension(cert, signer, nid, value);
  ok = ok && X509_sign(cert, issuerKey != nullptr ? issuerKey : key, EVP_sha256()) > 0;
  if (!ok) {
    X509_free(cert);
    return nullptr;
  }
  return cert;
}

struct Holder {
  TlsMaterial material;
  EVP_PKEY* caKey = nullptr;
  bool ready = false;
  ~Holder() {
    if (!material.caFile.empty()) ::unlink(material.caFile.c_str());
    X509_free(material.serverCert);
    X509_free(material.caCert);
    EVP_PKEY_free(material.serverKey);
    EVP_PKEY_free(caKey);
  }
};

bool Build(Holder& h) {
  h.caKey = EVP_EC_gen("P-256");
  h.material.serverKey = EVP_EC_gen("P-256");
  if (h.caKey == nullptr || h.material.serverKey == nullptr) return false;
  h.material.caCert = MakeCert(h.caKey, "Tarvelin stand-in CA", nullptr, nullptr,
                               {{NID_basic_constraints, "critical,CA:TRUE"},
                                {NID_key_usage, "critical,keyCertSign,cRLSign"},
                                {NID_subject_key_identifier, "hash"}});
  if (h.material.caCert == nullptr) return false;
  h.material.serverCert = MakeCert(h.material.serverKey, "localhost", h.material.caCert, h.caKey,
                                   {{NID_basic_constraints, "critical,CA:FALSE"},
                                    {NID_key_usage, "critical,digitalSignature,keyEncipherment"},
                                    {NID_ext_key_usage, "serverAuth"},
                                    {NID_subject_key_identifier, "hash"},
                                    {NID_authority_key_identifier, "keyid:always"},
                                    {NID_subject_alt_name, SubjectAltNames()}});
  if (h.material.serverCert == nullptr) return false;

  char path[] = "/tmp/tarvelin-standin-ca-XXXXXX";
  int fd = ::mkstemp(path);
  if (fd < 0) return false;
  FILE* file = ::fdopen(fd, "w");
  if (file == nullptr) {
    ::close(fd);
    ::unlink(path);
    return false;
  }
  const bool written = PEM_write_X509(file, h.material.caCert) == 1;
  std::fclose(file);
  h.material.caFile = path;
  return written;
}

}  // namespace

const TlsMaterial* StandinTlsMaterial() {
  static Holder holder;
  static std::once_flag once;
  std::call_once(once, [] { holder.ready = Build(holder); });
  return holder.ready ? &holder.material : nullptr;
}

}  // namespace tarvelin::standin
