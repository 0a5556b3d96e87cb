#!/usr/bin/env bash
# Ed25519 keys and signatures for update releases, with the openssl command-line tool.
#   sign-release.sh keygen KEY.pem        new private key (mode 600); prints the public key
#   sign-release.sh public-key KEY.pem    the base64 public key for MORVANE_PUBLIC_ED_KEY
#   sign-release.sh sign KEY.pem FILE     the base64 signature of FILE (the enclosure's
#                                         edSignature)
#   sign-release.sh sign-feed KEY.pem appcast.xml
#                                         writes appcast.xml.sig beside the feed; sign the
#                                         feed last, after every change to it
set -euo pipefail

usage() {
    sed -n '2,9p' "$0" >&2
    exit 2
}

public_key() {
    # The DER form of an Ed25519 public key ends with the 32 raw key bytes.
    openssl pkey -in "$1" -pubout -outform DER | tail -c 32 | base64 -w0
    echo
}

signature() {
    openssl pkeyutl -sign -inkey "$1" -rawin -in "$2" | base64 -w0
    echo
}

[ $# -ge 2 ] || usage
command=$1
key=$2
case $command in
keygen)
    [ ! -e "$key" ] || { echo "$key exists; not overwritten" >&2; exit 1; }
    (umask 077 && openssl genpkey -algorithm ed25519 -out "$key")
    public_key "$key"
    ;;
public-key)
    public_key "$key"
    ;;
sign)
    [ $# -eq 3 ] || usage
    signature "$key" "$3"
    ;;
sign-feed)
    [ $# -eq 3 ] || usage
    signature "$key" "$3" >"$3.sig"
    ;;
*)
    usage
    ;;
esac
