# The Windows toolchain: SQLite, OpenSSL, libpq, libsodium and Qt cross-built
# for x86_64 Windows from Debian's own source packages. Each part is kept in
# a folder of the cache named by its source version and build settings, so a
# later run skips what is there. Source it from the checkout's top folder.

ARB_WIN_CACHE=${ARB_WIN_CACHE:-$HOME/.cache/arb-windows}
WIN_HOST=x86_64-w64-mingw32
WIN_CC=$WIN_HOST-gcc-posix
WIN_CXX=$WIN_HOST-g++-posix
WIN_TOOLCHAIN=$PWD/scripts/windows.d/toolchain.cmake
# Low priority: the toolchain is built once, behind other work.
NICE=(nice -n 10)

WIN_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis
  qt6-base-dev-tools dpkg-dev tcl zip xvfb xauth autoconf automake libtool)

win_sudo() { if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi; }

# A deb-src entry for the archive the machine already uses, only if there is
# none.
ensure_deb_src() {
  if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  echo "== Menambah sumber deb-src"
  win_sudo tee /etc/apt/sources.list.d/arb-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  win_sudo apt-get update -qq
}

# src_version PACKAGE: the source version apt would fetch.
src_version() {
  apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -1
}

# fetch_source PACKAGE VERSION DIR: unpacks Debian's source package into DIR.
# A download that times out is tried again; an archive that says no stops the
# run with a message.
fetch_source() {
  local pkg=$1 ver=$2 dir=$3 dl log try
  dl=$(mktemp -d "$ARB_WIN_CACHE/.dl-$pkg.XXXXXX")
  log=$dl/apt.log
  for try in 1 2 3 4; do
    if (cd "$dl" && apt-get source --download-only -o Acquire::Retries=3 \
          -o Acquire::http::Timeout=60 "$pkg=$ver") >"$log" 2>&1; then
      break
    fi
    if grep -qE '404|Unable to find a source package|Unable to locate' "$log"; then
      echo "Arkib Debian tidak mempunyai sumber $pkg $ver:" >&2
      grep -E '404|Unable' "$log" | head -3 >&2
      rm -rf "$dl"
      return 1
    fi
    if [ $try -eq 4 ]; then
      echo "Sumber $pkg tidak dapat dimuat turun selepas 4 cubaan:" >&2
      tail -5 "$log" >&2
      rm -rf "$dl"
      return 1
    fi
    echo "== Muat turun $pkg terhenti; cuba lagi ($try)"
    sleep $((try * 10))
  done
  rm -rf "$dir"
  (cd "$dl" && dpkg-source -x --no-check ./*.dsc "$dir") >"$log.x" 2>&1 || {
    echo "Sumber $pkg tidak dapat dibuka:" >&2; tail -5 "$log.x" >&2; rm -rf "$dl"; return 1; }
  rm -rf "$dl"
}

# A part is done when its folder has the stamp; it is built under a temporary
# name and renamed, so a killed build leaves nothing that looks finished.
part_dir() { echo "$ARB_WIN_CACHE/$1"; }
part_done() { [ -f "$(part_dir "$1")/.done" ]; }
part_begin() {
  local d
  d=$(part_dir "$1").tmp
  rm -rf "$d"
  mkdir -p "$d/src" "$d/prefix"
  date +%s >"$d/.start"
  echo "$d"
}
# The same for a long build that a later run may carry on: a configured
# build tree of the same name is kept, and ninja redoes only what is missing
# (a step killed half-way has no entry in its log, so it runs again).
part_resume() {
  local d
  d=$(part_dir "$1").tmp
  if [ -f "$d/src/build/build.ninja" ] && [ -f "$d/.configured" ]; then
    rm -f "$d/.start" # a resumed build's time says nothing
    echo "$d"
  else
    part_begin "$1"
  fi
}
part_end() {
  local d
  d=$(part_dir "$1")
  rm -rf "$d.tmp/src"
  touch "$d.tmp/prefix/.done"
  # How long the part took, kept for README's figures.
  if [ -f "$d.tmp/.start" ]; then
    echo $(($(date +%s) - $(cat "$d.tmp/.start"))) >"$d.tmp/prefix/.seconds"
    echo "== $1: $(cat "$d.tmp/prefix/.seconds") s"
  fi
  rm -rf "$d"
  mv "$d.tmp/prefix" "$d"
  rm -rf "$d.tmp"
}

# SQLite's library, and its shell for the tests' writer from outside the
# program.
build_sqlite() {
  local ver name work
  ver=$(src_version sqlite3); name=sqlite-$ver-with-shell
  SQLITE_PREFIX=$(part_dir "$name")
  part_done "$name" && return 0
  echo "== SQLite $ver untuk Windows"
  work=$(part_begin "$name")
  fetch_source sqlite3 "$ver" "$work/src/sqlite" || return 1
  (cd "$work/src/sqlite" && ./configure --disable-tcl && make sqlite3.c shell.c) >"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; return 1; }
  mkdir -p "$work/prefix/include" "$work/prefix/lib" "$work/prefix/bin"
  cp "$work/src/sqlite/sqlite3.h" "$work/src/sqlite/sqlite3ext.h" "$work/prefix/include/"
  # Debian's own compile-time settings, so both platforms behave alike (the
  # batch inserts rely on its variable limit).
  "${NICE[@]}" "$WIN_CC" -O2 -fno-strict-aliasing -shared \
    -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA \
    -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1 \
    -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_OMIT_LOOKASIDE=1 \
    -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 \
    -DSQLITE_ENABLE_JSON1 -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1 \
    -DSQLITE_USE_URI=1 -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_STMTVTAB \
    -DSQLITE_MAX_VARIABLE_NUMBER=250000 -DSQLITE_API='__declspec(dllexport)' \
    -o "$work/prefix/bin/sqlite3.dll" "$work/src/sqlite/sqlite3.c" \
    -Wl,--out-implib,"$work/prefix/lib/libsqlite3.dll.a" || return 1
  "${NICE[@]}" "$WIN_CC" -O1 -I"$work/prefix/include" -o "$work/prefix/bin/sqlite3.exe" \
    "$work/src/sqlite/shell.c" "$work/prefix/lib/libsqlite3.dll.a" || return 1
  part_end "$name"
}

build_openssl() {
  local ver name work
  ver=$(src_version openssl); name=openssl-$ver
  OPENSSL_PREFIX=$(part_dir "$name")
  part_done "$name" && return 0
  echo "== OpenSSL $ver untuk Windows"
  work=$(part_begin "$name")
  fetch_source openssl "$ver" "$work/src/openssl" || return 1
  (cd "$work/src/openssl" &&
   ./Configure mingw64 shared no-tests no-engine no-legacy \
     --cross-compile-prefix=$WIN_HOST- --prefix="$work/prefix" --libdir=lib \
     CC=gcc-posix &&
   "${NICE[@]}" make -j"$(nproc)" build_libs &&
   make install_dev install_runtime_libs) >"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; return 1; }
  part_end "$name"
}

build_libpq() {
  local ver name work
  ver=$(src_version postgresql-15); name=libpq-$ver-ssl-psql
  LIBPQ_PREFIX=$(part_dir "$name")
  part_done "$name" && return 0
  echo "== libpq $ver untuk Windows"
  work=$(part_begin "$name")
  fetch_source postgresql-15 "$ver" "$work/src/pg" || return 1
  (cd "$work/src/pg" &&
   CC=$WIN_CC CPPFLAGS="-I$OPENSSL_PREFIX/include" LDFLAGS="-L$OPENSSL_PREFIX/lib" \
   ./configure --host=$WIN_HOST --prefix="$work/prefix" --without-readline \
     --without-zlib --without-icu --with-ssl=openssl &&
   for d in src/include src/common src/port src/interfaces/libpq; do
     "${NICE[@]}" make -j"$(nproc)" -C $d || exit 1
     make -C $d install || exit 1
   done &&
   # psql.exe: the tests' writer from outside the program on a server.
   "${NICE[@]}" make -j"$(nproc)" -C src/fe_utils &&
   "${NICE[@]}" make -j"$(nproc)" -C src/bin/psql &&
   make -C src/bin/psql install) >"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; return 1; }
  # The server headers Qt's driver asks for (the type OIDs).
  mkdir -p "$work/prefix/include/server/catalog"
  cp "$work/src/pg/src/include/catalog/pg_type_d.h" "$work/prefix/include/server/catalog/" 2>/dev/null || true
  part_end "$name"
}

build_sodium() {
  local ver name work
  ver=$(src_version libsodium); name=libsodium-$ver
  SODIUM_PREFIX=$(part_dir "$name")
  part_done "$name" && return 0
  echo "== libsodium $ver untuk Windows"
  work=$(part_begin "$name")
  fetch_source libsodium "$ver" "$work/src/sodium" || return 1
  (cd "$work/src/sodium" &&
   { [ -x configure ] || autoreconf -fi >/dev/null 2>&1; } &&
   CC=$WIN_CC ./configure --host=$WIN_HOST --prefix="$work/prefix" \
     --disable-static --enable-shared &&
   "${NICE[@]}" make -j"$(nproc)" && make install) >"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; return 1; }
  part_end "$name"
}

# Qt's modules the program and its tests use, the SQLite and ODBC drivers,
# and the windows, offscreen and minimal platforms. No OpenGL, D-Bus or
# network, and none of the widgets and formats the program never shows, so
# that the build fits a CI run; -O1 for the same reason. The print dialog is
# asked for by name: it needs the date editor, and so the calendar widget.
QT_FLAGS=(-DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG"
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_dbus=OFF
  -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_graphicsview=OFF -DFEATURE_printpreviewdialog=OFF
  -DFEATURE_mdiarea=OFF -DFEATURE_dockwidget=OFF
  -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_wizard=OFF
  -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF -DFEATURE_undoview=OFF
  -DFEATURE_systemtrayicon=OFF -DFEATURE_textodfwriter=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF
  -DFEATURE_printer=ON -DFEATURE_printdialog=ON -DFEATURE_printpreviewwidget=OFF
  -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON -DFEATURE_sql_psql=OFF
  -DFEATURE_sql_odbc=ON -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF
  -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF -DFEATURE_sql_mimer=OFF)

build_qt() {
  local ver name work key
  ver=$(src_version qt6-base)
  key=$(printf '%s\n' "${QT_FLAGS[@]}" | md5sum | cut -c1-8)
  name=qt-$ver-$key
  QT_PREFIX=$(part_dir "$name")
  part_done "$name" && return 0
  echo "== Qt $ver untuk Windows (sekali sahaja; kira-kira 40 minit)"
  work=$(part_resume "$name")
  if [ ! -f "$work/.configured" ]; then
  fetch_source qt6-base "$ver" "$work/src/qtbase" || return 1
  "${NICE[@]}" cmake -S "$work/src/qtbase" -B "$work/src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" -DCMAKE_INSTALL_PREFIX="$work/prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${QT_FLAGS[@]}" \
    -DSQLite3_INCLUDE_DIR="$SQLITE_PREFIX/include" -DSQLite3_LIBRARY="$SQLITE_PREFIX/lib/libsqlite3.dll.a" \
    >"$work/configure.log" 2>&1 || { tail -30 "$work/configure.log" >&2; return 1; }
  touch "$work/.configured"
  else
    echo "== (meneruskan binaan yang terhenti)"
  fi
  "${NICE[@]}" cmake --build "$work/src/build" >>"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; return 1; }
  cmake --install "$work/src/build" >/dev/null || return 1
  # The SQL driver sources stay, so the PostgreSQL driver can be built
  # against this Qt and libpq in its own, quick step.
  mkdir -p "$work/prefix/src/qtbase/src/plugins"
  cp "$work/src/qtbase/.cmake.conf" "$work/prefix/src/qtbase/"
  cp -r "$work/src/qtbase/src/plugins/sqldrivers" "$work/prefix/src/qtbase/src/plugins/"
  cp "$work/configure.log" "$work/prefix/src/"
  part_end "$name"
}

# Qt's PostgreSQL driver, built on its own against the Qt above and libpq.
build_qt_psql() {
  local name work
  name=$(basename "$QT_PREFIX")-psql-$(basename "$LIBPQ_PREFIX")
  QT_PSQL_PREFIX=$(part_dir "$name")
  part_done "$name" && return 0
  echo "== Pemacu PostgreSQL Qt untuk Windows"
  work=$(part_begin "$name")
  "${NICE[@]}" cmake -S "$QT_PREFIX/src/qtbase/src/plugins/sqldrivers" -B "$work/src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" -DCMAKE_PREFIX_PATH="$QT_PREFIX" \
    -DCMAKE_INSTALL_PREFIX="$work/prefix" -DCMAKE_BUILD_TYPE=Release \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DFEATURE_sql_psql=ON -DFEATURE_sql_sqlite=OFF -DFEATURE_sql_odbc=OFF -DFEATURE_sql_mysql=OFF \
    -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF -DFEATURE_sql_mimer=OFF \
    -DPostgreSQL_INCLUDE_DIR="$LIBPQ_PREFIX/include" -DPostgreSQL_TYPE_INCLUDE_DIR="$LIBPQ_PREFIX/include/server" \
    -DPostgreSQL_LIBRARY="$LIBPQ_PREFIX/lib/libpq.a" \
    -DPostgreSQL_LIBRARY_RELEASE="$LIBPQ_PREFIX/lib/libpq.a" \
    >"$work/configure.log" 2>&1 || { tail -30 "$work/configure.log" >&2; return 1; }
  "${NICE[@]}" cmake --build "$work/src/build" >"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; return 1; }
  mkdir -p "$work/prefix/plugins/sqldrivers"
  find "$work/src/build" -name 'qsqlpsql.dll' -exec cp {} "$work/prefix/plugins/sqldrivers/" \;
  [ -f "$work/prefix/plugins/sqldrivers/qsqlpsql.dll" ] || { echo "qsqlpsql.dll tidak terbina" >&2; return 1; }
  part_end "$name"
}

# OpenSSL, libpq and libsodium build beside Qt: their downloads and
# configure scripts run on one core while Qt's compile waits on the other.
build_toolchain() {
  local side
  mkdir -p "$ARB_WIN_CACHE"
  build_sqlite
  (build_openssl && build_libpq && build_sodium) &
  side=$!
  build_qt || { wait "$side" || true; return 1; }
  wait "$side" || return 1
  # Quick now: each finds its stamp and only names its folder.
  build_openssl
  build_libpq
  build_sodium
  build_qt_psql
}
