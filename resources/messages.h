// Generated from resources/messages.txt by tools/gen_messages: edit that file,
// then rebuild and run the target gen_messages_update. Every user text of the
// program in Shift_JIS, the UTF-8 original beside it.
#pragma once

// Every user text of the program: messages, captions, labels and the names
// it matches in imported files. One text a line, "name<TAB>text", written as
// the body of a C string literal (\n, \" and \\ as in C). The build turns it
// into resources/messages.h (Shift_JIS, code page 932): after an edit, build
// the target gen_messages_update; the test messages_generated checks it.

// Text views: what stands for an emoji the view cannot draw (the text view;
// a UTF-8 text shown in Shift_JIS)
constexpr char kTextViewEmojiMark[] = "\x81\xFC";  // ◯
constexpr char kDisplayEmojiMark[] = "\x81\x9B";  // ○

// Emoji palettes: the title line of each palette
constexpr char kPaletteTitleSoftbank[] = "***\x81@softbank \x8AG\x95\xB6\x8E\x9A\x81@***";  // ***　softbank 絵文字　***
constexpr char kPaletteTitleDocomo[] = "***\x81@docomo \x8AG\x95\xB6\x8E\x9A\x81@***";  // ***　docomo 絵文字　***
constexpr char kPaletteTitleAu[] = "***\x81@au \x8AG\x95\xB6\x8E\x9A\x81@***";  // ***　au 絵文字　***
constexpr char kPaletteTitleUnicode[] = "***\x81@Unicode\x8AG\x95\xB6\x8E\x9A\x81@***";  // ***　Unicode絵文字　***

// Bitmap saving: numbering styles and messages
constexpr char kNumberingFront[] = "\x90\xE6\x93\xAA";  // 先頭
constexpr char kNumberingBack[] = "\x8C\xE3\x82\xEB";  // 後ろ
constexpr char kOverwriteQuestion[] = "\x98" "A\x94\xD4\x83t\x83@\x83" "C\x83\x8B\x82\xCD\x8A\xF9\x82\xC9\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB7\x81" "B\n\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81" "B";  // 連番ファイルは既に存在します。\n上書きしますか。
constexpr char kNoDataCaption[] = "No Data";  // No Data
constexpr char kNoDataToSave[] = "\x95\xDB\x91\xB6\x82\xB7\x82\xE9\x83" "f\x81[\x83^\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 保存するデータがありません。
constexpr char kNumberingStyleFormat[] = "%s\x82\xC9 %s %s \x82\xF0\x95t\x82\xAF\x82\xE9";  // %sに %s %s を付ける

// Printing: registering and printing messages
constexpr char kRegisterFullText[] = "\x82\xB1\x82\xEA\x88\xC8\x8F\xE3\x93o\x98^\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // これ以上登録できません。
constexpr char kNothingToRegisterText[] = "\x93o\x98^\x82\xC5\x82\xAB\x82\xE9QR\x83R\x81[\x83h\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 登録できるQRコードがありません。
constexpr char kPrintErrorText[] = "\x88\xF3\x8D\xFC\x83G\x83\x89\x81[\x82\xAA\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "Bm(_ _)m";  // 印刷エラーが発生しました。m(_ _)m
constexpr char kPrintErrorCaption[] = "Error";  // Error
constexpr char kNoDataToPrint[] = "\x88\xF3\x8D\xFC\x82\xB7\x82\xE9\x83" "f\x81[\x83^\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 印刷するデータがありません。
constexpr char kUnicodeTextMark[] = "[Unicode Text]";  // [Unicode Text]
constexpr char kPrintDocumentName[] = "YourPrinter";  // YourPrinter

// Colours of the modules: menu labels
constexpr char kColourBlack[] = "\x8D\x95";  // 黒
constexpr char kColourBrown[] = "\x92\x83";  // 茶
constexpr char kColourGreen[] = "\x97\xCE";  // 緑
constexpr char kColourIndigo[] = "\x97\x95";  // 藍
constexpr char kColourPurple[] = "\x8E\x87";  // 紫
constexpr char kColourBlue[] = "\x90\xC2";  // 青
constexpr char kColourRed[] = "\x90\xD4";  // 赤
constexpr char kColourGrey[] = "\x8A" "D";  // 灰
constexpr char kColourPink[] = "\x93\x8D";  // 桃
constexpr char kColourOrange[] = "\x9E\xF2";  // 橙
constexpr char kColourAqua[] = "\x90\x85";  // 水
constexpr char kColourRainbow[] = "\x93\xF8";  // 虹
constexpr char kColourChoose[] = "\x91I";  // 選

// Clipboard copy messages
constexpr char kNoDataToCopy[] = "\x83N\x83\x8A\x83" "b\x83v\x83{\x81[\x83h\x82\xD6\x83R\x83s\x81[\x82\xB7\x82\xE9\x83" "f\x81[\x83^\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // クリップボードへコピーするデータがありません。
constexpr char kNoCodeShownText[] = "QR\x83R\x81[\x83h\x82\xAA\x95\x5C\x8E\xA6\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // QRコードが表示されていません。
constexpr char kNoCodeShownCaption[] = "Wrong Display";  // Wrong Display
constexpr char kCopiedStatusText[] = "[clipboard] \x81\x9C\x81\x9C\x81\x9C\x81@\x83N\x83\x8A\x83" "b\x83v\x83{\x81[\x83h\x82\xC9\x83R\x83s\x81[\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";  // [clipboard] ●●●　クリップボードにコピーしました。

// Text documents: kinds offered by the save dialog
constexpr char kDocumentKindAllModes[] = "\x91S\x82\xC4\x82\xCC\x83\x82\x81[\x83h\x82\xCC\x83" "e\x83L\x83X\x83g";  // 全てのモードのテキスト
constexpr char kDocumentKindCurrentMode[] = "\x8C\xBB\x8D\xDD\x82\xCC\x83\x82\x81[\x83h\x82\xCC\x83" "e\x83L\x83X\x83g";  // 現在のモードのテキスト
constexpr char kDocumentKindCodeText[] = "QR\x83R\x81[\x83h\x97p\x83" "e\x83L\x83X\x83g";  // QRコード用テキスト

// Mail address history: buttons and question
constexpr char kMailHistoryAddLabel[] = "\x8D\xB6\x82\xCC\x83" "A\x83h\x83\x8C\x83X\x82\xF0\x97\x9A\x97\xF0\x82\xC9\x92\xC7\x89\xC1";  // 左のアドレスを履歴に追加
constexpr char kMailHistoryRemoveLabel[] = "\x8D\xB6\x82\xCC\x83" "A\x83h\x83\x8C\x83X\x82\xF0\x97\x9A\x97\xF0\x82\xA9\x82\xE7\x8D\xED\x8F\x9C";  // 左のアドレスを履歴から削除
constexpr char kMailHistoryDropOldestCaption[] = "delete old e-mail address";  // delete old e-mail address
constexpr char kMailHistoryDropOldestFormat[] = "\x88\xEA\x94\xD4\x8C\xC3\x82\xA2\x97\x9A\x97\xF0 [%s] \x82\xAA\x8D\xED\x8F\x9C\x82\xB3\x82\xEA\x82\xDC\x82\xB7\x81" "B\n\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81" "B";  // 一番古い履歴 [%s] が削除されます。\nよろしいですか。

// Outlook CSV import: the column header names it matches (half-width kana and blanks included), and its message
constexpr char kOutlookColumnDisplayName[] = "\x95\x5C\x8E\xA6\x96\xBC";  // 表示名
constexpr char kOutlookColumnFullName[] = "\x8E\x81\x96\xBC";  // 氏名
constexpr char kOutlookColumnName[] = "\x96\xBC\x91O";  // 名前
constexpr char kOutlookColumnLastName[] = "\x90\xA9";  // 姓
constexpr char kOutlookColumnFirstName[] = "\x96\xBC";  // 名
constexpr char kOutlookColumnFurigana[] = "\x83t\x83\x8A\x83K\x83i";  // フリガナ
constexpr char kOutlookColumnFuriganaHiragana[] = "\x82\xD3\x82\xE8\x82\xAA\x82\xC8";  // ふりがな
constexpr char kOutlookColumnNickname[] = "\x83j\x83" "b\x83N\x83l\x81[\x83\x80";  // ニックネーム
constexpr char kOutlookColumnNameFuriganaNarrow[] = "\x96\xBC\x91O\xCC\xD8\xB6\xDE\xC5";  // 名前ﾌﾘｶﾞﾅ
constexpr char kOutlookColumnLastNameFuriganaNarrow[] = "\x90\xA9\xCC\xD8\xB6\xDE\xC5";  // 姓ﾌﾘｶﾞﾅ
constexpr char kOutlookColumnFuriganaNarrow[] = "\xCC\xD8\xB6\xDE\xC5";  // ﾌﾘｶﾞﾅ
constexpr char kOutlookColumnPhoneNumber[] = "\x93" "d\x98" "b\x94\xD4\x8D\x86";  // 電話番号
constexpr char kOutlookColumnPhone[] = "\x92\xCA\x8F\xED\x82\xCC\x93" "d\x98" "b";  // 通常の電話
constexpr char kOutlookColumnHomePhoneNumber[] = "\x8E\xA9\x91\xEE\x82\xCC\x93" "d\x98" "b\x94\xD4\x8D\x86";  // 自宅の電話番号
constexpr char kOutlookColumnHomePhone[] = "\x8E\xA9\x91\xEE\x93" "d\x98" "b";  // 自宅電話
constexpr char kOutlookColumnHomePhone2[] = "\x8E\xA9\x91\xEE\x93" "d\x98" "b 2";  // 自宅電話 2
constexpr char kOutlookColumnHomePhoneNo[] = "\x8E\xA9\x91\xEE\x93" "d\x98" "b\x94\xD4\x8D\x86";  // 自宅電話番号
constexpr char kOutlookColumnHomePhoneNoColon[] = "\x8E\xA9\x91\xEE\x93" "d\x98" "b\x94\xD4\x8D\x86 :";  // 自宅電話番号 :
constexpr char kOutlookColumnMobilePhone[] = "\x8Cg\x91\xD1\x93" "d\x98" "b";  // 携帯電話
constexpr char kOutlookColumnWorkPhoneNumber[] = "\x8B\xCE\x96\xB1\x90\xE6\x93" "d\x98" "b\x94\xD4\x8D\x86";  // 勤務先電話番号
constexpr char kOutlookColumnBusinessPhone[] = "\x89\xEF\x8E\xD0\x93" "d\x98" "b";  // 会社電話
constexpr char kOutlookColumnBusinessPhone2[] = "\x89\xEF\x8E\xD0\x93" "d\x98" "b 2";  // 会社電話 2
constexpr char kOutlookColumnCompanyMainPhone[] = "\x89\xEF\x8E\xD0\x91\xE3\x95\x5C\x93" "d\x98" "b";  // 会社代表電話
constexpr char kOutlookColumnOtherPhone[] = "\x82\xBB\x82\xCC\x91\xBC\x82\xCC\x93" "d\x98" "b";  // その他の電話
constexpr char kOutlookColumnMobilePhoneTrailingSpace[] = "\x8Cg\x91\xD1\x93" "d\x98" "b ";  // 携帯電話 
constexpr char kOutlookColumnMobilePhoneNumber[] = "\x8Cg\x91\xD1\x93" "d\x98" "b\x94\xD4\x8D\x86";  // 携帯電話番号
constexpr char kOutlookColumnBusinessPhoneNumber[] = "\x89\xEF\x8E\xD0\x93" "d\x98" "b\x94\xD4\x8D\x86";  // 会社電話番号
constexpr char kOutlookColumnPager[] = "\x83|\x83P\x83x\x83\x8B";  // ポケベル
constexpr char kOutlookColumnPocketPager[] = "\x83|\x83P\x83" "b\x83g\x83x\x83\x8B";  // ポケットベル
constexpr char kOutlookColumnAssistantPhone[] = "\x94\xE9\x8F\x91\x82\xCC\x93" "d\x98" "b";  // 秘書の電話
constexpr char kOutlookColumnCarPhone[] = "\x8E\xA9\x93\xAE\x8E\xD4\x93" "d\x98" "b";  // 自動車電話
constexpr char kOutlookColumnRadioPhone[] = "\x96\xB3\x90\xFC\x93" "d\x98" "b";  // 無線電話
constexpr char kOutlookColumnHomeFax[] = "\x8E\xA9\x91\xEE FAX";  // 自宅 FAX
constexpr char kOutlookColumnBusinessFax[] = "\x89\xEF\x8E\xD0 FAX";  // 会社 FAX
constexpr char kOutlookColumnHomeFaxNumber[] = "\x8E\xA9\x91\xEE FAX \x94\xD4\x8D\x86";  // 自宅 FAX 番号
constexpr char kOutlookColumnBusinessFaxNumber[] = "\x89\xEF\x8E\xD0 FAX \x94\xD4\x8D\x86";  // 会社 FAX 番号
constexpr char kOutlookColumnMailAddressNarrow[] = "\xD2\xB0\xD9\xB1\xC4\xDE\xDA\xBD";  // ﾒｰﾙｱﾄﾞﾚｽ
constexpr char kOutlookColumnMailAddress[] = "\x83\x81\x81[\x83\x8B\x83" "A\x83h\x83\x8C\x83X";  // メールアドレス
constexpr char kOutlookColumnEmailAddress[] = "\x93" "d\x8Eq\x83\x81\x81[\x83\x8B \x83" "A\x83h\x83\x8C\x83X";  // 電子メール アドレス
constexpr char kOutlookColumnEmailAddressNarrow[] = "\x93" "d\x8Eq\xD2\xB0\xD9 \xB1\xC4\xDE\xDA\xBD";  // 電子ﾒｰﾙ ｱﾄﾞﾚｽ
constexpr char kOutlookColumnEmail2AddressNarrow[] = "\x93" "d\x8Eq\xD2\xB0\xD9 2 \xB1\xC4\xDE\xDA\xBD";  // 電子ﾒｰﾙ 2 ｱﾄﾞﾚｽ
constexpr char kOutlookColumnEmail1[] = "\x93" "d\x8Eq\x83\x81\x81[\x83\x8B 1";  // 電子メール 1
constexpr char kOutlookColumnEmail2[] = "\x93" "d\x8Eq\x83\x81\x81[\x83\x8B 2";  // 電子メール 2
constexpr char kOutlookColumnEmail3[] = "\x93" "d\x8Eq\x83\x81\x81[\x83\x8B 3";  // 電子メール 3
constexpr char kOutlookColumnEmail1Narrow[] = "\x93" "d\x8Eq\xD2\xB0\xD9 1";  // 電子ﾒｰﾙ 1
constexpr char kOutlookColumnEmail2Narrow[] = "\x93" "d\x8Eq\xD2\xB0\xD9 2";  // 電子ﾒｰﾙ 2
constexpr char kOutlookColumnEmail3Narrow[] = "\x93" "d\x8Eq\xD2\xB0\xD9 3";  // 電子ﾒｰﾙ 3
constexpr char kOutlookColumnMemo[] = "\x83\x81\x83\x82";  // メモ
constexpr char kOutlookColumnMemoNarrow[] = "\xD2\xD3";  // ﾒﾓ
constexpr char kOutlookColumnPersonalData[] = "\x8C\xC2\x90l\x83" "f\x81[\x83^";  // 個人データ
constexpr char kOutlookColumnNotes[] = "\x94\xF5\x8Dl";  // 備考
constexpr char kOutlookColumnAddress[] = "\x8FZ\x8F\x8A";  // 住所
constexpr char kOutlookColumnHomePrefecture[] = "\x8E\xA9\x91\xEE\x82\xCC\x93s\x93\xB9\x95{\x8C\xA7";  // 自宅の都道府県
constexpr char kOutlookColumnHomeCity[] = "\x8E\xA9\x91\xEE\x82\xCC\x8Es\x8B\xE6\x92\xAC\x91\xBA";  // 自宅の市区町村
constexpr char kOutlookColumnHomeStreet[] = "\x8E\xA9\x91\xEE\x82\xCC\x94\xD4\x92n";  // 自宅の番地
constexpr char kOutlookColumnBirthday[] = "\x92" "a\x90\xB6\x93\xFA";  // 誕生日
constexpr char kOutlookColumnDateOfBirth[] = "\x90\xB6\x94N\x8C\x8E\x93\xFA";  // 生年月日
constexpr char kOutlookColumnPersonalWebPage[] = "\x8C\xC2\x90l Web \x83y\x81[\x83W";  // 個人 Web ページ
constexpr char kOutlookColumnBusinessWebPage[] = "\x83r\x83W\x83l\x83X Web \x83y\x81[\x83W";  // ビジネス Web ページ
constexpr char kImportFailedCaption[] = "Import Error";  // Import Error
constexpr char kImportErrorText[] = "\x83" "A\x83h\x83\x8C\x83X\x82\xCD\x83" "C\x83\x93\x83|\x81[\x83g\x82\xB3\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";  // アドレスはインポートされませんでした。

// Start-up: first start, settings reset and registry removal
constexpr char kStartUpFirstStartCaption[] = "First Message";  // First Message
constexpr char kStartUpFirstStartFormat[] = "\x81y \x8F\x89\x89\xF1\x8BN\x93\xAE \x81z\x81@\x81@\x81@\x81@\x81@\x81@\x81@\x81@\x81@\x81@[%s]:";  // 【 初回起動 】　　　　　　　　　　[%s]:
constexpr char kStartUpVerdictOk[] = "OK\n\n\x82\xB2\x8Eg\x97p\x82\xA2\x82\xBD\x82\xBE\x82\xAB\x82\xA0\x82\xE8\x82\xAA\x82\xC6\x82\xA4\x82\xB2\x82\xB4\x82\xA2\x82\xDC\x82\xB7\x81" "B";  // OK\n\nご使用いただきありがとうございます。
constexpr char kStartUpVerdictNg[] = "NG\n\n\x82\xB1\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x82\xC5\x82\xCD\x81" "A\x90\xB3\x82\xB5\x82\xAD\x93\xAE\x8D\xEC\x82\xB5\x82\xC8\x82\xA2\x82\xA9\x82\xE0\x82\xB5\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // NG\n\nこのバージョンでは、正しく動作しないかもしれません。
constexpr char kStartUpIniCaption[] = "Initalize Config?";  // Initalize Config?
constexpr char kStartUpIniQuestion[] = "\x90\xDD\x92\xE8(ini)\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8F\x89\x8A\xFA\x89\xBB\x82\xB5\x82\xC4\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81" "B\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81" "B";  // 設定(ini)ファイルを初期化して終了します。よろしいですか。
constexpr char kStartUpRegistryCaption[] = "Delete Reg & Close?";  // Delete Reg & Close?
constexpr char kStartUpRegistryQuestion[] = "%s \x82\xCC\x83\x8C\x83W\x83X\x83g\x83\x8A\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81" "B\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81" "B\n";  // %s のレジストリを削除して終了します。よろしいですか。\n
constexpr char kStartUpDeleteFailedCaption[] = "[ERROR] Cannot Delete Registry";  // [ERROR] Cannot Delete Registry
constexpr char kStartUpDeleteFailed[] = "%s \x82\xCC\x83\x8C\x83W\x83X\x83g\x83\x8A\x82\xCC\x8D\xED\x8F\x9C\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B\n\x83\x8C\x83W\x83X\x83g\x83\x8A\x83G\x83" "f\x83" "B\x83^\x82\xF0\x8AJ\x82\xA2\x82\xC4\nHKEY_CURRENT_USER\\%s\n\x82\xAA\x8E" "c\x82\xC1\x82\xC4\x82\xA2\x82\xEA\x82\xCE\x81" "A\x82\xBB\x82\xEA\x82\xF0\x92\xBC\x90\xDA\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "Bm(_ _)m";  // %s のレジストリの削除に失敗しました。\nレジストリエディタを開いて\nHKEY_CURRENT_USER\\%s\nが残っていれば、それを直接削除してください。m(_ _)m
constexpr char kStartUpDeleteDoneCaption[] = "Registry Successfully Deleted";  // Registry Successfully Deleted
constexpr char kStartUpDeleteDone[] = "%s \x82\xCC\x83\x8C\x83W\x83X\x83g\x83\x8A\x82\xCD\x90\xB3\x8F\xED\x82\xC9\x8D\xED\x8F\x9C\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x81" "B";  // %s のレジストリは正常に削除されました。

// Code generation: the error messages
constexpr char kMsgNoText[] = "\x95\xB6\x8E\x9A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 文字がありません。
constexpr char kMsgCreateFailed[] = "QR\x83R\x81[\x83h\x82\xCC\x8D\xEC\x90\xAC\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";  // QRコードの作成に失敗しました。
constexpr char kMsgNameAndPhoneEmpty[] = "\x96\xBC\x91O \x82\xC6 \x93" "d\x98" "b\x94\xD4\x8D\x86 \x82\xCC\x82\xC7\x82\xBF\x82\xE7\x82\xE0\x8B\xF3\x97\x93\x82\xC5\x82\xB7\x81" "B";  // 名前 と 電話番号 のどちらも空欄です。
constexpr char kMsgUrlEmpty[] = "URL\x82\xAA\x8B\xF3\x97\x93\x82\xC5\x82\xB7\x81" "B";  // URLが空欄です。
constexpr char kMsgExternalEncoderMissing[] = "\x81\xA3\x83G\x83\x89\x81[\x81\xA3\nQR2DLL.dll\x82\xAA\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81" "Bm(_ _)m";  // ▲エラー▲\nQR2DLL.dllが読み込めません。m(_ _)m
constexpr char kMsgBirthdayFormat[] = "\x92" "a\x90\xB6\x93\xFA\x82\xCD\x81" "A\x94N/\x8C\x8E/\x93\xFA \x82\xCC\x8C`\x8E\xAE\x82\xC9\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";  // 誕生日は、年/月/日 の形式にしてください。
constexpr char kMsgPhoneUnreadable[] = "\x93" "d\x98" "b\x94\xD4\x8D\x86%d \x82\xAA\x90\xB3\x82\xB5\x82\xAD\x89\xF0\x8E\xDF\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 電話番号%d が正しく解釈できません。
constexpr char kMsgFuriganaUnreadable[] = "\x83t\x83\x8A\x83K\x83i\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x89\xF0\x8E\xDF\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // フリガナが正しく解釈できません。
constexpr char kMsgTextTooLong[] = "1\x82\xC2\x82\xCCQR\x83R\x81[\x83h\x82\xC9\x93\xFC\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 1つのQRコードに入りません。
constexpr char kMsgMailUriTooLong[] = "\x83\x81\x81[\x83\x8B\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81iUTF-8\x82\xC5%d\x83o\x83" "C\x83g\x81j\x81" "B\x96{\x95\xB6\x82\xF0\x92Z\x82\xAD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";  // メールが長すぎます（UTF-8で%dバイト）。本文を短くしてください。

// Code generation: progress
constexpr char kCreatingText[] = "\x8D\xEC\x90\xAC\x92\x86..";  // 作成中..

// External encoder
constexpr char kLoadFailureText[] = "QR2DLL.DLL\x82\xAA\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // QR2DLL.DLLが読み込めません。
constexpr char kLoadFailureCaption[] = "Cannot Load QR2DLL.DLL";  // Cannot Load QR2DLL.DLL

// Status indicators
constexpr char kIndicatorAuto[] = "[auto] \x81\x9F\x81@QR\x83R\x81[\x83h\x8E\xA9\x93\xAE\x8D\xEC\x90\xAC\x81@\x81\x9F";  // [auto] ◆　QRコード自動作成　◆
constexpr char kIndicatorManual[] = "[manual] \x81\x9E\x81@QR\x83R\x81[\x83h\x8E\xE8\x93\xAE\x8D\xEC\x90\xAC\x81@\x81\x9E";  // [manual] ◇　QRコード手動作成　◇
constexpr char kIndicatorCodeStatusFormat[] = "%d\x8C^\x81@%d\x83o\x83" "C\x83g";  // %d型　%dバイト
constexpr char kLeftOutNote[] = "\x81\xA6\x93\xFC\x82\xE8\x82\xAB\x82\xE7\x82\xC8\x82\xA2\x95\x94\x95\xAA\x82\xF0\x8F\xC8\x97\xAA\x82\xB5\x82\xDC\x82\xB5\x82\xBD";  // ※入りきらない部分を省略しました
constexpr char kLostCharsNote[] = "\x81\xA6Shift_JIS\x82\xC9\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x82\xF0\x81u?\x81v\x82\xC9\x82\xB5\x82\xDC\x82\xB5\x82\xBD: %s";  // ※Shift_JISにない文字を「?」にしました: %s

// The toolbar
constexpr char kToolbarOpenText[] = "\x83" "e\x83L\x83X\x83g\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8AJ\x82\xAD(Ctrl+O)";  // テキストファイルを開く(Ctrl+O)
constexpr char kToolbarSaveData[] = "\x83" "f\x81[\x83^\x82\xF0\x95\xDB\x91\xB6";  // データを保存
constexpr char kToolbarSaveAllBitmaps[] = "\x91S\x82\xC4\x82\xCC" "BMP\x82\xF0\x95\xDB\x91\xB6";  // 全てのBMPを保存
constexpr char kToolbarCopyImage[] = "\x83N\x83\x8A\x83" "b\x83v\x83{\x81[\x83h\x82\xD6\x89\xE6\x91\x9C\x82\xF0\x83R\x83s\x81[";  // クリップボードへ画像をコピー
constexpr char kToolbarOptions[] = "\x83I\x83v\x83V\x83\x87\x83\x93";  // オプション
constexpr char kToolbarPrint[] = "\x88\xF3\x8D\xFC(Ctrl+P)";  // 印刷(Ctrl+P)
constexpr char kToolbarVersion[] = "\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1";  // バージョン情報

// Help
constexpr char kNoHelpText[] = "\x83w\x83\x8B\x83vHTML\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // ヘルプHTMLファイルが見つかりません。
constexpr char kNoHelpCaption[] = "No Help HTML File!";  // No Help HTML File!

// The version box
constexpr char kVersionBoxNotice[] = "\x96{\x83\x5C\x83t\x83g\x83" "E\x83" "F\x83" "A\x82\xCD\x96\xB3\x95\xDB\x8F\xD8\x82\xC5\x82\xB7\x81" "B";  // 本ソフトウェアは無保証です。
constexpr char kVersionBoxFormat[] = " %s\x81@%s\n\n%s\n%s";  //  %s　%s\n\n%s\n%s

// Text documents in the window
constexpr char kTextOpenTitle[] = "\x83" "e\x83L\x83X\x83g\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8AJ\x82\xAD";  // テキストファイルを開く
constexpr char kTextSaveTitle[] = "\x83" "e\x83L\x83X\x83g\x82\xF0\x95\xDB\x91\xB6";  // テキストを保存
constexpr char kTextOpenFilter[] = "\x83" "e\x83L\x83X\x83g\x83t\x83@\x83" "C\x83\x8B (*.txt)\0*.txt\0\x91S\x82\xC4\x82\xCC\x83t\x83@\x83" "C\x83\x8B (*.*)\0*.*\0";  // テキストファイル (*.txt)\0*.txt\0全てのファイル (*.*)\0*.*\0
constexpr char kTextSaveFilter[] = "\x83" "e\x83L\x83X\x83g\x83t\x83@\x83" "C\x83\x8B (*.txt)\0*.txt\0";  // テキストファイル (*.txt)\0*.txt\0

// The emoji history bar
constexpr char kEmojiFixedLabel[] = "\x81\xA1";  // ■
constexpr char kEmojiMovableLabel[] = "\x81@";  // 　
constexpr char kEmojiRemoveText[] = "\x82\xB1\x82\xCC\x8AG\x95\xB6\x8E\x9A\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xE0\x82\xE6\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81" "B";  // この絵文字を削除してもよいですか。
constexpr char kEmojiMixedSwapText[] = "\x8C\xC5\x92\xE8\x82\xCC\x8AG\x95\xB6\x8E\x9A\x82\xC6\x81" "A\x8C\xC5\x92\xE8\x82\xC5\x82\xCD\x82\xC8\x82\xA2\x8AG\x95\xB6\x8E\x9A\x82\xCC\x8F\xEA\x8F\x8A\x82\xCD\x93\xFC\x82\xEA\x91\xD6\x82\xA6\x82\xE7\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";  // 固定の絵文字と、固定ではない絵文字の場所は入れ替えられません。
constexpr char kEmojiMenuLeft[] = "\x81\xA9" "1\x82\xC2\x8D\xB6\x82\xD6 (&L)";  // ←1つ左へ (&L)
constexpr char kEmojiMenuRight[] = "\x81@ 1\x82\xC2\x89" "E\x82\xD6 (&R)\x81\xA8";  // 　 1つ右へ (&R)→
constexpr char kEmojiMenuFix[] = "\x8C\xC5\x92\xE8\x82\xCC\x8AG\x95\xB6\x8E\x9A (&F)";  // 固定の絵文字 (&F)
constexpr char kEmojiMenuChange[] = "\x95\xCF\x8DX (&M)";  // 変更 (&M)
constexpr char kEmojiMenuDelete[] = "\x8D\xED\x8F\x9C (&D)";  // 削除 (&D)
constexpr char kEmojiRemoveCaption[] = "Remove?";  // Remove?
constexpr char kEmojiMixedSwapCaption[] = "cannot move items with different 'fix' flag";  // cannot move items with different 'fix' flag

// The save dialogs
constexpr char kReplaceQuestion[] = "%s \x82\xCD\x8A\xF9\x82\xC9\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB7\x81" "B\n\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81" "B";  // %s は既に存在します。\n上書きしますか。

// A file of an explicit save or open that failed: the name, then the
// system's reason
constexpr char kFileWriteFailed[] = "%s \x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";  // %s を保存できませんでした。
constexpr char kFileReadFailed[] = "%s \x82\xF0\x8AJ\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";  // %s を開けませんでした。
constexpr char kFileFailedCaption[] = "File Error";  // File Error

// Before a text document is written whose fields hold characters that
// Shift_JIS cannot carry
constexpr char kDocumentLossQuestion[] = "\x8E\x9F\x82\xCC\x95\xB6\x8E\x9A\x82\xCDShift_JIS\x82\xCC\x83" "e\x83L\x83X\x83g\x82\xC9\x82\xBB\x82\xCC\x82\xDC\x82\xDC\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1: %s\n\x8B\xDF\x82\xA2\x95\xB6\x8E\x9A\x82\xE2\x81u?\x81v\x81" "A[+XXXX] \x82\xCC\x8C`\x82\xC9\x95\xCF\x82\xA6\x82\xC4\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81" "B";  // 次の文字はShift_JISのテキストにそのまま保存できません: %s\n近い文字や「?」、[+XXXX] の形に変えて保存しますか。

// The encoding box
constexpr char kEncodingItemDocomo[] = "S_JIS (\x8F]\x97\x88\x8C^ docomo)";  // S_JIS (従来型 docomo)
constexpr char kEncodingItemAu[] = "S_JIS (\x8F]\x97\x88\x8C^ au)";  // S_JIS (従来型 au)
constexpr char kEncodingItemSoftbank[] = "S_JIS (\x8F]\x97\x88\x8C^ softbank)";  // S_JIS (従来型 softbank)
constexpr char kEncodingItemUtf8[] = "UTF-8 (\x83X\x83}\x83z\x8C\xFC\x82\xAF)";  // UTF-8 (スマホ向け)

// The Outlook import in the window
constexpr char kImportTitle[] = "Outlook\x82\xCC\x83G\x83N\x83X\x83|\x81[\x83g\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8AJ\x82\xAD";  // Outlookのエクスポートファイルを開く
constexpr char kImportFilter[] = "Outlook \x83G\x83N\x83X\x83|\x81[\x83g\x83t\x83@\x83" "C\x83\x8B (*.csv)\0*.csv\0";  // Outlook エクスポートファイル (*.csv)\0*.csv\0

// Fonts of the main form
constexpr char kFieldFontName[] = "\x82l\x82r \x82o\x83S\x83V\x83" "b\x83N";  // ＭＳ Ｐゴシック
constexpr char kViewFontName[] = "\x82l\x82r \x83S\x83V\x83" "b\x83N";  // ＭＳ ゴシック
constexpr char kArrowFontName[] = "@\x82l\x82r \x83S\x83V\x83" "b\x83N";  // @ＭＳ ゴシック

// The options sheet
constexpr char kOptionsSheetTitle[] = "\x83I\x83v\x83V\x83\x87\x83\x93";  // オプション
constexpr char kLevelItemL[] = " 7\x81\x93 (\x82k)";  //  7％ (Ｌ)
constexpr char kLevelItemM[] = "15\x81\x93 (\x82l)";  // 15％ (Ｍ)
constexpr char kLevelItemQ[] = "25\x81\x93 (\x82p)";  // 25％ (Ｑ)
constexpr char kLevelItemH[] = "30\x81\x93 (\x82g)";  // 30％ (Ｈ)
constexpr char kVersionItemFormat[] = "%d (%d\x81~%d\x83Z\x83\x8B)";  // %d (%d×%dセル)
constexpr char kTimerItemFast[] = "\x82\xCD\x82\xE2\x82\xA2";  // はやい
constexpr char kTimerItemNormal[] = "\x82\xD3\x82\xC2\x82\xA4";  // ふつう
constexpr char kTimerItemSlow[] = "\x82\xE4\x82\xC1\x82\xAD\x82\xE8";  // ゆっくり

// Bitmaps in the window
constexpr char kSaveBitmapTitle[] = "BMP\x82\xF0\x95\xDB\x91\xB6";  // BMPを保存
constexpr char kSaveAllTitle[] = "\x91S\x82\xC4\x82\xCC" "BMP\x82\xF0\x95\xDB\x91\xB6";  // 全てのBMPを保存
constexpr char kImageFilter[] = "BMP\x83t\x83@\x83" "C\x83\x8B (*.bmp)\0*.bmp\0PNG\x83t\x83@\x83" "C\x83\x8B (*.png)\0*.png\0SVG\x83t\x83@\x83" "C\x83\x8B (*.svg)\0*.svg\0";  // BMPファイル (*.bmp)\0*.bmp\0PNGファイル (*.png)\0*.png\0SVGファイル (*.svg)\0*.svg\0
