# Shared by scripts/run, scripts/test and scripts/bench. Source it from the
# checkout's top folder.

PACKAGES=(build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql
  qt6-l10n-tools libsodium-dev
  fonts-dejavu-core fonts-liberation
  mdbtools mdbtools-dev libglib2.0-dev
  poppler-utils postgresql sqlite3 openssl wbritish strace)

# What scripts/package needs besides: dpkg-shlibdeps and file for CPack,
# and the checks CI runs on the package it built.
PACKAGE_TOOLS=(dpkg-dev file lintian desktop-file-utils appstream man-db)

# install_deps [PACKAGE...]: installs what is missing of PACKAGES, or of the
# packages named.
install_deps() {
  local wanted=("$@") missing=()
  [ ${#wanted[@]} -eq 0 ] && wanted=("${PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "== Memasang: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build
}

# A throwaway PostgreSQL cluster on a loopback port for the tests. Sets
# ARB_TEST_PG to its URL; stopped and removed by stop_test_pg.
start_test_pg() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  if [ -z "$bin" ]; then
    echo "== PostgreSQL tidak dipasang: ujian PostgreSQL dilangkau."
    return 0
  fi
  ARB_PG_DIR=$(mktemp -d /tmp/arb-pg.XXXXXX)
  local as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres "$ARB_PG_DIR"
    as=(runuser -u postgres --)
  fi
  local port=$((55000 + RANDOM % 5000))
  # TLS on, with a self-signed certificate, so that ?sslmode=require is tested;
  # clients that do not ask for it connect as before.
  local tls=()
  if openssl req -new -x509 -days 2 -nodes -subj "/CN=127.0.0.1" \
       -keyout "$ARB_PG_DIR/server.key" -out "$ARB_PG_DIR/server.crt" >/dev/null 2>&1; then
    chmod 600 "$ARB_PG_DIR/server.key"
    [ "$(id -u)" -eq 0 ] && chown postgres "$ARB_PG_DIR/server.key" "$ARB_PG_DIR/server.crt"
    tls=(-c ssl=on -c ssl_cert_file=$ARB_PG_DIR/server.crt -c ssl_key_file=$ARB_PG_DIR/server.key)
  fi
  if "${as[@]}" "$bin/initdb" -D "$ARB_PG_DIR/data" -A trust -U postgres -N -E UTF8 --locale=C.UTF-8 >"$ARB_PG_DIR/initdb.log" 2>&1 &&
     "${as[@]}" "$bin/pg_ctl" -D "$ARB_PG_DIR/data" -l "$ARB_PG_DIR/server.log" -w -t 60 \
       -o "-p $port -k $ARB_PG_DIR -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off -c max_connections=200 ${tls[*]}" \
       start >/dev/null 2>&1; then
    export ARB_TEST_PG="postgresql://postgres@127.0.0.1:$port/postgres"
    ARB_PG_STOP=("${as[@]}" "$bin/pg_ctl" -D "$ARB_PG_DIR/data" -m immediate stop)
    echo "== PostgreSQL ujian di 127.0.0.1:$port"
  else
    echo "== PostgreSQL tidak dapat dimulakan: ujian PostgreSQL dilangkau."
    cat "$ARB_PG_DIR"/*.log 2>/dev/null | tail -5
  fi
}

stop_test_pg() {
  if [ -n "${ARB_PG_STOP+x}" ]; then
    "${ARB_PG_STOP[@]}" >/dev/null 2>&1 || true
  fi
  [ -n "${ARB_PG_DIR:-}" ] && rm -rf "$ARB_PG_DIR"
  return 0
}
