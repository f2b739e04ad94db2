#pragma once
// Certificates of the stand-in: a CA made at start-up and a server certificate that it
// signs for every service host, localhost and 127.0.0.1.

#include <string>

typedef struct evp_pkey_st EVP_PKEY;
typedef struct x509_st X509;

namespace tarvelin::standin {

struct TlsMaterial {
  EVP_PKEY* serverKey = nullptr;
  X509* serverCert = nullptr;
  X509* caCert = nullptr;
  std::string caFile;  // the CA certificate as a PEM file
};

// Made once per process; nullptr when OpenSSL refused. Freed, and the file removed, at exit.
const TlsMaterial* StandinTlsMaterial();

}  // namespace tarvelin::standin
