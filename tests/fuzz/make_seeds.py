#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/NAME/.

Each seed is laid out as its target reads the fuzzer's bytes (the first
bytes choose modes and flags, NUL bytes separate fields). Run it after
changing a target's layout; the seeds are committed.
"""
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))


def sj(text):
    return text.encode("cp932")


SPLIT = b"\r\n[split]\r\n"

SEEDS = {
    # mode, kind (0 all modes, 1 current mode), document
    "fuzz_document": {
        "all_modes": b"\0\0" + sj("< Text >\r\nこんにちは\r\n2行目\r\n< Mail >\r\ntaro@example.jp\r\n件名\r\n本文\r\n"
                                  "< Address >\r\n山田 太郎\r\nﾔﾏﾀﾞ ﾀﾛｳ\r\n090-1234-5678\r\n\r\n\r\n"
                                  "taro@example.jp\r\n\r\n\r\nメモ\r\n東京都\r\n1990/01/02\r\nhttp://example.jp/\r\n"),
        "headerless_mail": b"\1\1" + sj("見出しのない文書\n二行目\tタブ\n"),
        "unknown_and_lower": b"\0\1" + sj("< text >\r\n小文字\r\n< Other >\r\n無視\r\n<  Text >\r\n"),
        "long_line": b"\0\0< Text >\r\n" + sj("長") * 1100 + b"\r\n",
        "text_mode": b"\2\0< Address >\r\nname\r\r\n\x1a after end",
    },
    # row limit, CSV
    "fuzz_outlook_csv": {
        "outlook": b"\x63" + sj('"姓","名","携帯電話","電子メール アドレス","誕生日"\r\n'
                                '"山田","太郎","090-1111-2222","taro@example.jp","1990/1/2"\r\n'
                                '"鈴木","花子","080-3333-4444","hanako@example.jp",""\r\n'),
        "quoted_breaks": b"\x63" + sj('表示名,メモ,住所\r\n"a, b","line one\r\nline two","say ""hi"""\r\n,,\r\nc,d,e\r\n'),
        "odd_headers": b"\x05" + sj('携帯電話 ,携帯電話,自宅の都道府県,自宅の市区町村,自宅の番地,名前ﾌﾘｶﾞﾅ,姓ﾌﾘｶﾞﾅ,名前\n'
                                    '1,2,東京都,港区,1-1,ﾀﾛｳ,ﾔﾏﾀﾞ,x\n'),
        "many_rows": b"\x63" + sj("氏名,電話番号\n") + b"".join(b"n%d,%d\n" % (i, i) for i in range(120)),
        "no_header": b"\x63\r\nname,phone\r\n",
    },
    # text NUL, number (4 bytes), Mivoka.ini
    "fuzz_settings_ini": {
        "values": b"value\0\x01\x02\x03\x04[Base]\r\nmode=2\r\ncarrier=9\r\nqrver2=-1\r\n"
                  b"colors=99999999999\r\nextfilter=\".txt .dat\"\r\n_version=2125825\r\n_count=3\r\n",
        "quotes_and_blanks": b" padded \"x\0\xff\xff\xff\x7f[base]\r\n  Mode = 1 \r\n[Other]\r\nmode=0\r\n"
                             b"[Base]\r\nmode=2\r\nextfilter='a'\r\nhistemojiv1=+12\r\n",
        "garbage": b"\0\0\0\0\x80" + bytes(range(256)),
        "long_value": b"t" * 300 + b"\0\0\0\0\0[Base]\r\nextfilter=" + b"y" * 2000 + b"\r\n",
    },
    # text NUL, number, maker's values NUL program's values
    "fuzz_settings_store": {
        "values": b"value\0\x01\x02\x03\x04i tools 3\n\0i mode 1\ni carrier 9\ni qrver2 -1\n"
                  b"t extfilter 2e747874\ni _version 2125825\ni _count 4\n",
        "bad_lines": b"x\0\0\0\0\x80i tools\n\0i mode\nt extfilter zz\nt extfilter 2\ni colors 99999999999999\n"
                     b"q what 1\ni\n\n i mode 2\n",
        "long_text": b"y\0\0\0\0\0\0t extfilter " + b"41" * 3000 + b"\n",
    },
    # carrier, mode, level, largest version - 1, one code, then the 16 fields
    "fuzz_payload_generation": {
        "text_split": b"\2\0\1\4\0" + sj("こんにちは[i9F]") + SPLIT + b"world" + SPLIT + b"end\0",
        "utf8_text": b"\4\0\0\x13\0" + sj("スマホ向け[1F600] ") * 40 + b"\0",
        "softbank_long": b"\1\0\3\1\0" + sj("ソフトバンク[sG!]漢字") * 120 + b"\0",
        "mail_docomo": b"\2\1\1\x13\0\0taro@example.jp\0" + sj("件名;:,\\") + b"\0" + sj("本文") + b"\0",
        "address_au": b"\3\2\2\x13\0" + b"\0" * 4 + sj("山田 太郎") + b"\0" + sj("やまだ たろう") + b"\0"
                      b"090-1234-5678\0(03)1234-5678\0\0taro@example.jp\0\0\0memo\0" + sj("東京都") +
                      b"\0" + sj("１９９０年１月２日") + b"\0http://example.jp/\0",
        "address_no_name": b"\2\2\1\x13\0" + b"\0" * 4 + b"\0\0\0\0\0\0\0\0x\0",
        "one_code": b"\2\0\1\0\1" + b"A" * 500 + b"\0",
    },
    # level, version, mask, flags (1 allow larger, 2 kanji off), text
    "fuzz_encode_symbol": {
        "alnum": b"\2\0\1\0HELLO WORLD 123",
        "numeric_v7": b"\0\7\4\0" + b"0123456789" * 20,
        "kanji": b"\3\0\0\0" + sj("漢字のテキスト、カナ。"),
        "kanji_off": b"\1\0\0\2" + sj("漢字") + b"abc",
        "too_small": b"\1\1\1\1" + b"x" * 40,
        "bytes": b"\0\x0a\3\0" + bytes(range(1, 256)),
    },
    # bit 0: emoji (1) or UTF-8 (0); bits 1-2 carrier - 1; bit 7 repeat to the limit
    "fuzz_text_convert": {
        "utf8": b"\0" + sj("かな漢字ｶﾅ①[+2600][1F600]"),
        "utf8_long": b"\x80" + sj("長い文"),
        "emoji_docomo": b"\3" + b"[i9F][iA0][x]" + sj("絵文字"),
        "emoji_softbank": b"\1[sG!][s?][" + sj("漢") + b"]",
        "emoji_au": b"\5[e1][e500][" + b"e",
    },
    # bit 0: read_field; else replace_text: mode from bits 1-3, room, text NUL find NUL replacement
    "fuzz_text_edit": {
        "replace_all": b"\2\0\0abcabc\0b\0XY",
        "replace_kanji": b"\x06\x10\0" + sj("漢字と漢字") + b"\0" + sj("漢") + b"\0" + sj("感"),
        "replace_trail": b"\2\0\0" + sj("ソ") + b"\\\0\\\0/",
        "keep_first": b"\x04\0\0a,b,c,d\0,\0;",
        "cut": b"\2\3\0" + b"x" * 20 + b"\0x\0yyy",
        "read_text": b"\3\x10\0" + sj("テキスト") * 10,
        "read_name": b"\5\x07\0" + sj("山田太郎"),
    },
    # bit 0: birthday; else to_half_width with flags from bits 1-3
    "fuzz_text_normalise": {
        "birthday": b"\1" + b"1990/1/2",
        "birthday_kanji": b"\1" + sj("１９９０年１２月３１日"),
        "birthday_leap": b"\1" + b"2000.2.29",
        "half_width": b"\x0e" + sj("ＡＢＣ１２３ガギグ"),
        "half_width_long": b"\x0e" + sj("ア") * 700,
    },
}


def main():
    for target, seeds in SEEDS.items():
        folder = os.path.join(HERE, "corpus", target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
