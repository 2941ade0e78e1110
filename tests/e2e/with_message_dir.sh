#!/usr/bin/env bash
# Runs a command with an empty message directory for PC messaging:
#   with_message_dir.sh DIR -- COMMAND [ARGS...]
# DIR is emptied and made with its folder "stage" (files written there are
# renamed into the watched folders by the host simulator); the command gets
# it as TAVIX_MSG_DIR.
set -u
dir=$1
shift 2
rm -rf "$dir"
mkdir -p "$dir/stage"
export TAVIX_MSG_DIR=$dir
exec "$@"
