#!/usr/bin/env bash
echo "examples: not yet"
