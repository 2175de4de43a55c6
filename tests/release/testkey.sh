#!/bin/sh
# A throw-away certificate authority and a code-signing certificate it
# issued, for the tests only: DIR/ca.pem, and DIR/signer.pfx (PKCS#12,
# certificate and key) with the password given; also a time-stamping
# authority's certificate and key, DIR/tsa.pem and DIR/tsa.key.
#   testkey.sh DIR PASSWORD
set -e
dir=$1
password=$2
mkdir -p "$dir"
cd "$dir"
cat >ext.cnf <<'CNF'
[signer]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[tsa]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = critical, timeStamping
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CNF
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 \
    -subj "/CN=Quillkit test CA" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
    -subj "/CN=Quillkit test signer" 2>/dev/null
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 30 \
    -extfile ext.cnf -extensions signer -out signer.pem 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.csr \
    -subj "/CN=Quillkit test time stamps" 2>/dev/null
openssl x509 -req -in tsa.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 30 \
    -extfile ext.cnf -extensions tsa -out tsa.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem \
    -passout "pass:$password" -out signer.pfx
rm -f signer.csr signer.key tsa.csr ca.key ca.srl ext.cnf
