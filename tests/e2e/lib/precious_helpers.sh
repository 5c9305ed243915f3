# Helpers for the checks of the precious files with many zv-cli at once and kill -9:
# large logbooks, appends killed at random moments, concurrent appends. Source it after
# cli_helpers.sh. scripts/stress-precious-files runs the same checks at full size.
#
#   make_logbook N PREFIX [FIRST]   a logbook of N flights on stdout, takeoff sites
#                                   PREFIX followed by a number (FIRST, FIRST+1, ...),
#                                   so that the flights of different files never repeat
#   count_sites FILE PREFIX         how many flights of FILE start at a PREFIX... site
#   temporaries DIR                 the temporary files of a replacement left in DIR
#   now_ms                          the time in milliseconds
#   kill_appends DIR DOWNLOAD K OLD NEW BACKUP
#                                   K times: an append of DOWNLOAD killed at a random
#                                   moment, the logbook checked to be OLD or NEW and the
#                                   backup BACKUP or OLD, then an append run through,
#                                   which must leave the logbook it gives on that one
#                                   and no temporary file; prints the tally
#   concurrent_appends DIR PAIRS FLIGHTS WAIT_MS
#                                   PAIRS times two appends of FLIGHTS new flights each
#                                   at the same moment, with the lock wait WAIT_MS;
#                                   checks that every append that reported success is
#                                   in the logbook whole and every refused one not at
#                                   all; prints the tally

make_logbook() {
    local count=$1 prefix=$2 first=${3:-0}
    awk -v count="$count" -v prefix="$prefix" -v first="$first" 'BEGIN {
        ORS = "\r\n"
        print ""
        print ";   KARVELON VUVEZ * ZIRROVA No.  1596"
        print ""
        print ";---------------------------------- LOG --------------------------------------"
        print ""
        print ";    No.          TAKEOFF:    LANDING:    TOTAL TIME    ALTI MAX    VARIO MAX"
        print ";    DATE         TIME/       TIME/ALTI   DISTANCE      ALTI GAIN   VARIO MIN"
        print ";  TAKEOFF-LOC    ALTI/QNH    POLARE                    ALTI SUM    TAS MAX"
        print ""
        for (i = 0; i < count; ++i) {
            n = first + i
            hour = 9 + n % 8
            minute = (n * 7) % 60
            printf "%8d           %2d:%02d       %2d:%02d       00:30         1542 m      + 4.0 m/s\r\n", \
                i + 1, hour, minute, hour + (minute + 30) / 60, (minute + 30) % 60
            printf "   %02d-%02d-%02d         852 m      1542 m        3.4 km       757 m      - 3.9 m/s\r\n", \
                n / 336 % 9 + 1, n / 28 % 12 + 1, n % 28 + 1
            printf "   %-11s     1021 hPa   PARA 1                     1437 m       39.0 kmh\r\n", \
                sprintf("%s%d", prefix, n)
            print ""
            if (i + 1 < count) {
                print ""
            }
        }
        print "@EOF"
    }'
}

count_sites() {
    grep -c -- "^   $2[0-9]" "$1" || true
}

temporaries() {
    find "$1" -maxdepth 1 -name '*.[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f].tmp' | wc -l
}

now_ms() {
    date +%s%3N
}

kill_appends() {
    local dir=$1 download=$2 kills=$3 old=$4 new=$5 backup=$6
    local book="$dir/Data/Zv/Logbuch"
    local main="$book/Flugbuch.log"
    # How long one append takes, to spread the kills over it.
    cp "$old" "$main"
    local start end
    start=$(now_ms)
    (cd "$dir" && "$ZV_CLI" --yes logbook-append "$download" >/dev/null) ||
        fail "the timing append failed"
    end=$(now_ms)
    local span=$((end - start + 20))
    cmp -s "$main" "$new" || fail "the timing append did not give the new logbook"
    # After a kill that came too late the next append works on the new logbook: what it
    # gives then (its first appended flight keeps one empty line less before it).
    local again="$dir/again.log"
    (cd "$dir" && "$ZV_CLI" --yes logbook-append "$download" >/dev/null) ||
        fail "the second timing append failed"
    cp "$main" "$again"
    local kept_old=0 got_new=0 left=0 i
    for ((i = 1; i <= kills; ++i)); do
        cp "$old" "$main"
        cp "$backup" "$book/Flugbuch.bak"
        (cd "$dir" && exec "$ZV_CLI" --yes logbook-append "$download" >/dev/null 2>&1) &
        local pid=$!
        local delay=$((RANDOM % span))
        sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        local next=$new
        if cmp -s "$main" "$old"; then
            kept_old=$((kept_old + 1))
        elif cmp -s "$main" "$new"; then
            got_new=$((got_new + 1))
            next=$again
        else
            fail "kill $i after ${delay} ms: the logbook is neither the old nor the new one"
        fi
        cmp -s "$book/Flugbuch.bak" "$backup" || cmp -s "$book/Flugbuch.bak" "$old" ||
            fail "kill $i after ${delay} ms: the backup is neither the old one nor the old logbook"
        [[ $(temporaries "$book") -eq 0 ]] || left=$((left + 1))
        # The next append runs through and takes what the killed one left behind.
        (cd "$dir" && "$ZV_CLI" --yes logbook-append "$download" >/dev/null) ||
            fail "kill $i: the next append failed"
        cmp -s "$main" "$next" || fail "kill $i: the next append did not give the new logbook"
        [[ $(temporaries "$book") -eq 0 ]] ||
            fail "kill $i: temporary files left after the next append: $(ls "$book")"
    done
    printf 'kill -9: %d kills over %d ms: %d left the old logbook, %d the new one, %d left temporary files, all removed by the next append\n' \
        "$kills" "$span" "$kept_old" "$got_new" "$left"
}

concurrent_appends() {
    local dir=$1 pairs=$2 flights=$3 wait_ms=$4
    local main="$dir/Data/Zv/Logbuch/Flugbuch.log"
    local work="$dir/concurrent"
    mkdir -p "$work"
    local succeeded=0 refused=0 pair side
    for ((pair = 1; pair <= pairs; ++pair)); do
        local pids=()
        for side in A B; do
            make_logbook "$flights" "P$pair$side" >"$work/$pair$side.log"
            (cd "$dir" && ZV_LOCK_WAIT_MS=$wait_ms exec "$ZV_CLI" --yes logbook-append \
                "$work/$pair$side.log" >"$work/$pair$side.out" 2>&1) &
            pids+=($!)
        done
        for side in A B; do
            local status=0
            wait "${pids[0]}" || status=$?
            pids=("${pids[@]:1}")
            echo "$status" >"$work/$pair$side.status"
        done
    done
    for ((pair = 1; pair <= pairs; ++pair)); do
        for side in A B; do
            local status found
            status=$(cat "$work/$pair$side.status")
            found=$(count_sites "$main" "P$pair$side")
            if [[ $status -eq 0 ]]; then
                [[ $found -eq $flights ]] ||
                    fail "pair $pair$side reported success, but $found of $flights flights are in the logbook"
                succeeded=$((succeeded + 1))
            else
                grep -q 'wird gerade von einem anderen Zv benutzt' "$work/$pair$side.out" ||
                    fail "pair $pair$side failed without saying the logbook is in use: $(cat "$work/$pair$side.out")"
                [[ $found -eq 0 ]] ||
                    fail "pair $pair$side was refused, but $found of its flights are in the logbook"
                refused=$((refused + 1))
            fi
        done
    done
    printf 'concurrent appends (lock wait %d ms): %d pairs, %d appends succeeded with all their flights, %d refused with none, no flight lost\n' \
        "$wait_ms" "$pairs" "$succeeded" "$refused"
}
